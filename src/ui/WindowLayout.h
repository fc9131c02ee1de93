// Where the control panel and the data display open (screen pixels, y upwards).
#pragma once

struct WindowPlace {
    int left;
    int top;
    int width;
    int height;
};

constexpr WindowPlace kControlPanelPlace = {20, 540, 410, 340};
constexpr WindowPlace kDataDisplayPlace = {20, 540, 350, 420};
