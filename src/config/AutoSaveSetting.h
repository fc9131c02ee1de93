// The settings file's AutoSaveMinutes, checked.
#pragma once

// The minutes between auto-saves that `valueText` sets: its decimal number
// when it is 0 (off) or from 0.5 to 1440; otherwise 0, and the log says why.
float autoSaveMinutesFrom(const char* valueText);
