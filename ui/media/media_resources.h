// The pictures compiled into the media library, and the one call that makes
// them reachable. The library is static, so the linker would drop the
// resource data unless something calls into it; every entry point of the
// library does.
#pragma once

namespace rampwall {

inline constexpr char kSketchResource[] = ":/rampwall/media/sketch.svg";
inline constexpr char kIconResource[] = ":/rampwall/media/icon.svg";
// The icon drawn pixel by pixel for 16 x 16.
inline constexpr char kSmallIconResource[] = ":/rampwall/media/icon16.svg";

// Registers the pictures with Qt's resource system; safe to call often.
void initMediaResources();

} // namespace rampwall
