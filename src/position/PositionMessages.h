// The texts of the message shown when a position file cannot be saved.
#pragma once

constexpr const char* kSaveErrorTitle = "SkyPlacer Plugin Error";
constexpr const char* kSaveErrorLine1 = "Unable to Create Position File.";
constexpr const char* kSaveErrorLine2 = "Check that SkyPlacer directory exists";
