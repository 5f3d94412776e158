#pragma once

// The moments of a file's save that matter when the program is killed: its new content is on the
// disk beside it, or it has replaced the file. The fault tests' build of the program ends itself
// at one of them, as a kill would, so that each is reached by construction and not by timing. Only
// that build defines GLYPH_SAVE_POINTS; in the program the calls compile to nothing.
enum class SavePoint { Written, Replaced };

#ifdef GLYPH_SAVE_POINTS
#include <filesystem>

void reachSavePoint(SavePoint point, const std::filesystem::path &file);
#else
inline void reachSavePoint(SavePoint, const auto &) { }
#endif
