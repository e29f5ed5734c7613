// One always-inline body compiled twice, for AVX2 and for the baseline, and the form for this
// processor picked at the first call. Unlike target_clones this needs no indirect functions, so
// it works on Windows and under the sanitizers too.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
template <auto Body, class... A> __attribute__((target("avx2"))) void vrx_avx2_form(A... a) {
    Body(a...);
}
template <auto Body, class... A> void vrx_plain_form(A... a) {
    Body(a...);
}
// Calls Body(a...) in the best form this processor runs.
template <auto Body, class... A> inline void vrx_cpu_forms(A... a) {
    static void (*const form)(A...) = [] {
        __builtin_cpu_init(); // the first call may come before the constructors that run it
        return __builtin_cpu_supports("avx2") ? vrx_avx2_form<Body, A...>
                                              : vrx_plain_form<Body, A...>;
    }();
    form(a...);
}
#else
template <auto Body, class... A> inline void vrx_cpu_forms(A... a) {
    Body(a...);
}
#endif
