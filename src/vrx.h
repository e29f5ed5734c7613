// The Vorn Media Library: every public header.
#pragma once

#include "base/block.h"
#include "base/dbg.h"
#include "base/memory.h"
#include "base/library.h"
#include "base/text.h"
#include "hw_common/timer.h"
#include "video/input.h"
#include "video/video.h"
#include "video/video_state.h"
#include "graphics/bitmap.h"
#include "graphics/vornblit.h"
#include "graphics/vertex.h"
#include "graphics/primitives.h"
#include "graphics/triangle.h"
