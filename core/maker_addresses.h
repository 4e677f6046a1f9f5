#pragma once

// The maker's addresses, shown in the home page's footer and in the about box.
namespace maker {
inline constexpr char kProductPage[] = "http://www.brel.example/morvelin/";
inline constexpr char kHomePage[] = "http://www.brel.example/";
inline constexpr char kMailAddress[] = "morvelin@brel.example";
}  // namespace maker
