#include "graphics/video_state.h"

VRX_VideoState VRX_video = {};
VRX_Bitmap VRX_screenbitmap = {};
VRX_Bitmap VRX_screenbitmap2 = {};
