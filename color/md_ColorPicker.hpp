#pragma once

#include <cstdint>

#include "host/MsoConstants.hpp"
#include "host/Screen.hpp"

// The screen picker's module: its state (one set for the whole add-in), the
// timer callback, the hot-key bookkeeping and the lock.
namespace velmora::color {

class frm_Colorpicker;

inline constexpr int kHotKeyCount = 99;
inline constexpr int kPickPeriodMs = 100;
inline constexpr const char* kSamplingTitle = "锁定取色：按任意键";
inline constexpr const char* kLockedTitle = "解除锁定：按任意键";

// The virtual-key code of hot key `id` (1 to 99): digits, letters, the
// keypad and F1 to F15, the navigation keys, then the list of editing and
// punctuation keys. Comma and period are not among them.
int HotKeyVirtualKey(int id);

// The picker's own pointer: a cross with a hollow centre.
host::PointerPicture PickerPointer();

struct md_ColorPicker {
    bool PickLocked = false;
    int PickTimerId = 0;
    // The last sample and its HSB, from which the readouts are written.
    std::int16_t PickedRed = 0;
    std::int16_t PickedGreen = 0;
    std::int16_t PickedBlue = 0;
    std::int16_t PickedHue = 0;
    std::int16_t PickedSat = 0;
    std::int16_t PickedBri = 0;

    void PickerRGBtoHSB(std::int16_t R, std::int16_t G, std::int16_t B);

    // Registers the 99 keys for the dialog's window and routes them to PickerWndProc.
    void HookHotKeys(frm_Colorpicker& form);
    void UnhookHotKeys(frm_Colorpicker& form);
    void KeepOnTop(frm_Colorpicker& form);
    void StartPickTimer(frm_Colorpicker& form, int period);
    void StopPickTimer(frm_Colorpicker& form);
    // A hot key: locks while sampling, unlocks while locked.
    void PickerWndProc(frm_Colorpicker& form, int id);
    void PickTimerTick(frm_Colorpicker& form);
    void LockPick(frm_Colorpicker& form);
    void UnlockPick(frm_Colorpicker& form);
    // Colours the selection as the first selected target option says.
    void ApplyPickedColor(frm_Colorpicker& form, host::Color colour);
};

}  // namespace velmora::color
