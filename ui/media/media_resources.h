// The pictures and the tune compiled into the media library, and the one
// call that makes the pictures reachable. The library is static, so the
// linker would drop the pictures' resource data unless something calls into
// it; every entry point of the library does.
#pragma once

namespace rampwall {

inline constexpr char kSketchResource[] = ":/rampwall/media/sketch.svg";
inline constexpr char kIconResource[] = ":/rampwall/media/icon.svg";
// The icon drawn pixel by pixel for 16 x 16.
inline constexpr char kSmallIconResource[] = ":/rampwall/media/icon16.svg";

// Synthesised at build time by make_tune.cpp; an object file of its own,
// linked into every program that links the library, so always reachable.
inline constexpr char kTuneResource[] = ":/rampwall/media/tune.wav";

// Registers the pictures with Qt's resource system; safe to call often.
void initMediaResources();

} // namespace rampwall
