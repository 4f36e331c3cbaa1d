// Vellix, the skin inserter: its shared state and its commands. Each command
// is one handler of the window frmVellix; RunCommand runs one and decides
// whether the program goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/image.h"

namespace vellix {

inline core::ImageBuffer LoadedImage;  // BitsPerPixel 0: no picture loaded
inline core::ImageBuffer WorkImage;
inline std::int16_t CurrentSlot = 0;   // 9..37 from the end of start-up
inline std::string LastStep;           // what the insert was doing, for its error box

// The window's Load event: caption, game, skin index, slot 9. False when the
// window must close (the game was not found).
bool Startup();
bool CheckIndex();
void RebuildIndex(const std::string& message);
void SaveIndexFiles();

// Skin menu (2.2).
void SkinClick(int index);
void RefreshPicture();
void DrawImage(plat::PictureBox& box, const core::ImageBuffer& image);

void FileOpen();           // File > Open
void InsertSkin();         // Edit > Insert Skin
bool TexturesPatched();
bool PropsPatched();
void RestoreOriginal();    // Edit > Restore to Original

// Raised after a message that ends the program has been shown.
struct EndProgram {};

// Runs one command. An unexpected error is shown as a run-time error box
// naming it; then, as after EndProgram or a closed window, the result is
// false: the program ends.
bool RunCommand(const std::function<void()>& command);
// Closes the main window; the program ends when the running command returns.
void CloseWindow();
// True once the window was closed by a command or the start-up.
inline bool MainWindowClosed = false;

}  // namespace vellix
