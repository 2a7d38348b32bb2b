#pragma once
// The font families installed on the system, for the font box.
#include <string>
#include <vector>

// Family names of every installed scalable font, sorted bytewise and without repeats. A family
// listed under translated names appears once, under the name of its first language (so
// "IPAGothic", not also "IPAゴシック"); other names a font gives in that same language (such as
// "DejaVu Sans Condensed" beside "DejaVu Sans") are families of their own. Every name listed
// is one the text renderer finds.
std::vector<std::string> InstalledFontFamilies();
