// Reading numbers from the texts of the position file, the settings file and
// the control panel: the leading number counts, the rest is ignored.
#pragma once

// Leading-number conversions: atof and atoi semantics, 0 when there is no number.
double parseReal(const char* text);
int parseWhole(const char* text);
// A double narrowed to float, held at the float's limits instead of becoming infinite.
float narrowToFloat(double value);
