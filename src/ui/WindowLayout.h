// Where the plug-in's windows open (screen pixels, y upwards).
#pragma once

struct WindowPlace {
    int left;
    int top;
    int width;
    int height;
};

constexpr WindowPlace kControlPanelPlace = {20, 540, 410, 340};
constexpr WindowPlace kDataDisplayPlace = {20, 540, 350, 420};
constexpr WindowPlace kFileDialogPlace = {650, 600, 240, 300};
constexpr WindowPlace kMessageWindowPlace = {300, 550, 250, 100};
constexpr WindowPlace kResumeWindowPlace = {440, 580, 330, 220};
