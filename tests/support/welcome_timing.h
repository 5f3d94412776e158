#pragma once

// When the first-run welcome window reaches each phase, counted from its load on the fake clock:
// 41 letters at 50 ms, 100 loading steps at 50 ms, then a pause of 2 s.
namespace WelcomeTiming {

inline constexpr int typingEndsMs = 2050;
inline constexpr int loadingEndsMs = 7050;
inline constexpr int handOverMs = 9050;

} // namespace WelcomeTiming
