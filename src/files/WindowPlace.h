#pragma once
// Where the main window stood when the program last closed: its place and size on the desktop
// and whether it was maximised. It lives in a small file of its own beside the settings file
// ("quorvan_16-window.ini"), so that the settings file keeps exactly the lines it always had.
// Six lines with CR LF: left, top, width, height (pixels, the window without its frame),
// "TRUE" or "FALSE" for maximised (for a maximised window the place it returns to), and "TRUE" or
// "FALSE" for the switch Options > Graphics Adapter Adjust that turns the page fade off. A file
// of five lines, from before the switch was kept, reads with the fade on.

#include <string>

namespace quorvan {

struct WorkingFolders;

extern const char* const kWindowPlaceFileName;  // "quorvan_16-window.ini"

struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
    bool skipAnimations = false;  // Graphics Adapter Adjust ticked: pages show without fading in
};

// The file in the settings folder.
std::string WindowPlaceFilePath(const WorkingFolders& folders);

// The place the text holds. False, with `place` untouched, for anything but four lines of whole
// numbers and one or two flags with a width and height of 1 to 100,000 pixels.
bool ReadWindowPlace(const std::string& text, WindowPlace& place);
// The same from the file at `path`; a missing file is no place.
bool ReadWindowPlaceFile(const std::string& path, WindowPlace& place);

std::string WindowPlaceText(const WindowPlace& place);
// Replaces the file without ever leaving a half-written one; on failure `error` says why.
bool WriteWindowPlaceFile(const std::string& path, const WindowPlace& place, std::string& error);

}  // namespace quorvan
