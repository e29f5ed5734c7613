// Span kernels: one horizontal run of pixels per call, one rule per kernel and depth.
// Kernels do no clipping, never allocate and never fail; a count of 0 writes nothing.
#pragma once
#include <cstdint>

// Fills
void VornBlit_BlitFill16(uint16_t *dst, int32_t n, uint32_t colour);
void VornBlit_BlitFill32(uint32_t *dst, int32_t n, uint32_t colour);
void VornBlit_BlitFillShade16(uint16_t *dst, int32_t n, int32_t shade, int32_t shadestep);
void VornBlit_BlitFillShade32(uint32_t *dst, int32_t n, int32_t shade, int32_t shadestep);
void VornBlit_BlitFillTexture16(uint16_t *dst, const uint16_t *texture, int32_t n, int32_t u,
                                int32_t v, int32_t ustep, int32_t vstep);
void VornBlit_BlitFillTexture32(uint32_t *dst, const uint32_t *texture, int32_t n, int32_t u,
                                int32_t v, int32_t ustep, int32_t vstep);
void VornBlit_BlitFillShadeTexture16(uint16_t *dst, const uint16_t *texture, int32_t n, int32_t u,
                                     int32_t v, int32_t shade, int32_t ustep, int32_t vstep,
                                     int32_t shadestep);
void VornBlit_BlitFillShadeTexture32(uint32_t *dst, const uint32_t *texture, int32_t n, int32_t u,
                                     int32_t v, int32_t shade, int32_t ustep, int32_t vstep,
                                     int32_t shadestep);
void VornBlit_BlitFillDualTexture16(uint16_t *dst, const uint16_t *texture1,
                                    const uint16_t *texture2, int32_t n, int32_t ua, int32_t va,
                                    int32_t ub, int32_t vb, int32_t uastep, int32_t vastep,
                                    int32_t ubstep, int32_t vbstep);
void VornBlit_BlitFillDualTexture32(uint32_t *dst, const uint32_t *texture1,
                                    const uint32_t *texture2, int32_t n, int32_t ua, int32_t va,
                                    int32_t ub, int32_t vb, int32_t uastep, int32_t vastep,
                                    int32_t ubstep, int32_t vbstep);

// Stretches (16.16 positions)
void VornBlit_BlitStretch16(uint16_t *dst, const uint16_t *src, int32_t n, int32_t position,
                            int32_t step);
void VornBlit_BlitStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t position,
                            int32_t step);
void VornBlit_BlitTranspStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t position,
                                  int32_t step);
void VornBlit_BlitBiLinearStretch16(uint16_t *dst, const uint16_t *src, int32_t n, int32_t pitch,
                                    int32_t x, int32_t y, int32_t xstep);
void VornBlit_BlitBiLinearStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t pitch,
                                    int32_t x, int32_t y, int32_t xstep);

// One source
void VornBlit_BlitCopy16(uint16_t *dst, const uint16_t *src, int32_t n);
void VornBlit_BlitCopy32(uint32_t *dst, const uint32_t *src, int32_t n);
void VornBlit_BlitDarken16(uint16_t *dst, const uint16_t *src, int32_t n);
void VornBlit_BlitDarken32(uint32_t *dst, const uint32_t *src, int32_t n);
void VornBlit_BlitBrighten16(uint16_t *dst, const uint16_t *src, int32_t n);
void VornBlit_BlitBrighten32(uint32_t *dst, const uint32_t *src, int32_t n);

// Two sources
void VornBlit_BlitMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitQMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitQMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitAdd16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitMul16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitMul32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);

// Neighbourhood filters: up/down are pixel offsets to the rows above and below (0 at edges)
void VornBlit_BlitBlur16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down, int32_t n);
void VornBlit_BlitBlur32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down, int32_t n);
void VornBlit_BlitAntiAlias16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down,
                              int32_t n);
void VornBlit_BlitAntiAlias32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down,
                              int32_t n);

// Fades and wipes (level: low 8 bits used)
void VornBlit_BlitFade16(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n);
void VornBlit_BlitFade16fast(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n);
void VornBlit_BlitFade32(uint32_t *dst, const uint32_t *src, uint32_t level, int32_t n);
void VornBlit_BlitFadeWhite16(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n);
void VornBlit_BlitFadeWhite32(uint32_t *dst, const uint32_t *src, uint32_t level, int32_t n);
void VornBlit_BlitCrossfade16(uint16_t *dst, const uint16_t *a, const uint16_t *b, uint32_t level,
                              int32_t n);
void VornBlit_BlitCrossfade32(uint32_t *dst, const uint32_t *a, const uint32_t *b, uint32_t level,
                              int32_t n);
void VornBlit_BlitCrossfadeFast32(uint32_t *dst, const uint32_t *a, const uint32_t *b,
                                  uint32_t level, int32_t n);
void VornBlit_BlitAlphawipe16(uint16_t *dst, const uint16_t *src, const uint16_t *mask,
                              uint32_t level, int32_t n);
void VornBlit_BlitAlphawipe32(uint32_t *dst, const uint32_t *src, const uint32_t *mask,
                              uint32_t level, int32_t n);

// Transparent copies: 16-bit key 0, 32-bit key "top byte 0". The 16-bit ones take n mod 65536.
void VornBlit_BlitTransp16(uint16_t *dst, const uint16_t *src, int32_t n);
void VornBlit_BlitTransp32(uint32_t *dst, const uint32_t *src, int32_t n);
void VornBlit_BlitTranspMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitTranspMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitTranspQMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitTranspQMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitTranspQ3Mix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitTranspQ3Mix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitTranspAdd16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitTranspAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
void VornBlit_BlitTranspMul16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n);
void VornBlit_BlitTranspMul32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n);
