#include "color/md_ColorPicker.hpp"

#include <array>

#include "color/ColorText.hpp"
#include "color/frm_Colorpicker.hpp"
#include "color/md_SetColor.hpp"
#include "host/HostError.hpp"

namespace velmora::color {
namespace {

// Hot keys 84 to 99: Backspace, Tab, Clear, Enter, Caps Lock, Esc, Num Lock
// and the punctuation keys ; = - / ` [ \ ] '.
constexpr std::array<int, 16> kListedKeys{8, 9, 12, 13, 20, 27, 144, 186, 187, 189, 191, 192, 219, 220, 221, 222};

constexpr int kPointerSize = 32;

}  // namespace

int HotKeyVirtualKey(int id)
{
    if (id >= 1 && id <= 10) {
        return id + 47;
    }
    if (id >= 11 && id <= 36) {
        return id + 54;
    }
    if (id >= 37 && id <= 67) {
        return id + 59;
    }
    if (id >= 68 && id <= 83) {
        return id - 36;
    }
    if (id >= 84 && id <= kHotKeyCount) {
        return kListedKeys[static_cast<std::size_t>(id - 84)];
    }
    return 0;
}

host::PointerPicture PickerPointer()
{
    host::PointerPicture picture{kPointerSize, kPointerSize, kPointerSize / 2, kPointerSize / 2, {}};
    picture.argb.assign(kPointerSize * kPointerSize, 0);
    const int centre = kPointerSize / 2;
    for (int i = 0; i < kPointerSize; ++i) {
        // Black arms with a white edge, leaving the sampled pixel in view.
        if (i >= centre - 3 && i <= centre + 3) {
            continue;
        }
        for (int edge = -1; edge <= 1; ++edge) {
            const std::uint32_t shade = edge == 0 ? 0xFF000000 : 0xFFFFFFFF;
            picture.argb[static_cast<std::size_t>((centre + edge) * kPointerSize + i)] = shade;
            picture.argb[static_cast<std::size_t>(i * kPointerSize + centre + edge)] = shade;
        }
    }
    return picture;
}

void md_ColorPicker::PickerRGBtoHSB(std::int16_t R, std::int16_t G, std::int16_t B)
{
    const ColorHSB hsb = RGBtoHSB(ColorRGB{R, G, B});
    PickedHue = hsb.H;
    PickedSat = hsb.S;
    PickedBri = hsb.B;
}

void md_ColorPicker::HookHotKeys(frm_Colorpicker& form)
{
    host::Screen& screen = form.Screen();
    const host::WindowHandle window = form.WindowHandle();
    // A key another program holds, or one the desktop lacks, stays unregistered.
    for (int id = 1; id <= kHotKeyCount; ++id) {
        host::Suppressed([&] { screen.RegisterHotKey(window, id, HotKeyVirtualKey(id)); });
    }
    screen.SetHotKeyHandler(window, [this, &form](int id) { PickerWndProc(form, id); });
}

void md_ColorPicker::UnhookHotKeys(frm_Colorpicker& form)
{
    host::Screen& screen = form.Screen();
    const host::WindowHandle window = form.WindowHandle();
    screen.SetHotKeyHandler(window, {});
    for (int id = 1; id <= kHotKeyCount; ++id) {
        host::Suppressed([&] { screen.UnregisterHotKey(window, id); });
    }
}

void md_ColorPicker::KeepOnTop(frm_Colorpicker& form)
{
    host::Suppressed([&] { form.Screen().KeepOnTop(form.WindowHandle()); });
}

void md_ColorPicker::StartPickTimer(frm_Colorpicker& form, int period)
{
    PickTimerId = form.Screen().SetTimer(period, [this, &form] { PickTimerTick(form); });
}

void md_ColorPicker::StopPickTimer(frm_Colorpicker& form)
{
    if (PickTimerId != 0) {
        form.Screen().KillTimer(PickTimerId);
        PickTimerId = 0;
    }
}

void md_ColorPicker::PickerWndProc(frm_Colorpicker& form, int id)
{
    if (id < 1 || id > kHotKeyCount) {
        return;
    }
    if (PickLocked) {
        UnlockPick(form);
    } else {
        LockPick(form);
    }
}

// Every step on its own: a failed read or update is skipped and the tick goes on.
void md_ColorPicker::PickTimerTick(frm_Colorpicker& form)
{
    host::Screen& screen = form.Screen();
    host::ScreenPoint at;
    host::Suppressed([&] { at = screen.CursorPos(); });
    if (PickLocked) {
        return;
    }
    host::Suppressed([&] { form.Lab_Color0.SetBackColor(screen.Pixel(at.x, at.y)); });
    const host::Color c = form.Lab_Color0.BackColor();
    PickedRed = static_cast<std::int16_t>(c % 256);
    PickedGreen = static_cast<std::int16_t>((c / 256) % 256);
    PickedBlue = static_cast<std::int16_t>((c / 65536) % 256);
    form.Label5.SetCaption("X:" + std::to_string(at.x) + ", Y:" + std::to_string(at.y));
    form.Label6.SetCaption(CommaText(ColorRGB{PickedRed, PickedGreen, PickedBlue}));
    form.Label7.SetCaption(HexText(c));
    PickerRGBtoHSB(PickedRed, PickedGreen, PickedBlue);
    form.Label8.SetCaption(CommaText(ColorHSB{PickedHue, PickedSat, PickedBri}));
}

void md_ColorPicker::LockPick(frm_Colorpicker& form)
{
    PickLocked = true;
    form.Img_Lock.SetVisible(true);
    form.SetCaption(kLockedTitle);
    host::Suppressed([&] { form.Screen().RestorePointers(); });
    form.EnableFavouriteOptions(true);
}

void md_ColorPicker::UnlockPick(frm_Colorpicker& form)
{
    PickLocked = false;
    form.Img_Lock.SetVisible(false);
    form.SetCaption(kSamplingTitle);
    host::Suppressed([&] { form.Screen().SetArrowPointer(PickerPointer()); });
    form.EnableFavouriteOptions(false);
}

void md_ColorPicker::ApplyPickedColor(frm_Colorpicker& form, host::Color colour)
{
    int target = 0;
    for (int n = 3; n >= 1; --n) {
        if (form.TargetOption(n).Value()) {
            target = n;
        }
    }
    if (target != 0) {
        ApplyColor(form.Application(), colour, target);
    }
}

}  // namespace velmora::color
