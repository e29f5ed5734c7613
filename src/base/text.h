#pragma once

// Upper-cases ASCII letters in place; returns the same text.
char *upcase(char *text);
