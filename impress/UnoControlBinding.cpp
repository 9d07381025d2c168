#include "impress/UnoControlBinding.hpp"

#include <algorithm>
#include <cmath>

#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/ImageScaleMode.hpp>
#include <com/sun/star/awt/MouseButton.hpp>
#include <com/sun/star/awt/KeyModifier.hpp>
#include <com/sun/star/awt/ScrollBarOrientation.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XCheckBox.hpp>
#include <com/sun/star/awt/XComboBox.hpp>
#include <com/sun/star/awt/XListBox.hpp>
#include <com/sun/star/awt/XRadioButton.hpp>
#include <com/sun/star/awt/XScrollBar.hpp>
#include <com/sun/star/awt/XSimpleTabController.hpp>
#include <com/sun/star/awt/XSpinValue.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>

#include "forms/Forms.hpp"
#include "forms/SymbolFonts.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/LiveDocument.hpp"
#include "platform/Utf8.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// An awt pointer event in the forms' terms: buttons, shift state, points.
struct MouseInput {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

MouseInput InputOf(const css::awt::MouseEvent& event, double pixelsPerPoint)
{
    MouseInput input;
    input.button |= (event.Buttons & css::awt::MouseButton::LEFT) ? forms::MouseButton::Left : 0;
    input.button |= (event.Buttons & css::awt::MouseButton::RIGHT) ? forms::MouseButton::Right : 0;
    input.button |= (event.Buttons & css::awt::MouseButton::MIDDLE) ? forms::MouseButton::Middle : 0;
    input.shift |= (event.Modifiers & css::awt::KeyModifier::SHIFT) ? forms::ShiftState::Shift : 0;
    input.shift |= (event.Modifiers & css::awt::KeyModifier::MOD1) ? forms::ShiftState::Ctrl : 0;
    input.shift |= (event.Modifiers & css::awt::KeyModifier::MOD2) ? forms::ShiftState::Alt : 0;
    input.x = static_cast<float>(event.X / pixelsPerPoint);
    input.y = static_cast<float>(event.Y / pixelsPerPoint);
    return input;
}

sal_Int16 AlignOf(int textAlign)
{
    switch (textAlign) {
        case forms::TextAlign::Center:
            return 1;
        case forms::TextAlign::Right:
            return 2;
        default:
            return 0;
    }
}

// The toolkit's border: none, 3D or flat.
sal_Int16 BorderOf(int specialEffect)
{
    switch (specialEffect) {
        case forms::SpecialEffect::Raised:
        case forms::SpecialEffect::Sunken:
        case forms::SpecialEffect::Bump:
            return 1;
        case forms::SpecialEffect::Etched:
            return 2;
        default:
            return 0;
    }
}

Any Text(const std::string& text)
{
    return Any(ToUno(text));
}

css::uno::Sequence<rtl::OUString> Items(const forms::ComboBox& combo)
{
    css::uno::Sequence<rtl::OUString> items(combo.ListCount());
    for (int i = 0; i < combo.ListCount(); ++i) {
        items.getArray()[i] = ToUno(combo.List(i));
    }
    return items;
}

// Labels and colour swatches: caption, alignment, wrapping, border; a click on release.
class LabelBinding : public UnoControlBinding {
public:
    LabelBinding(forms::Control& control, DialogSurface& surface)
        : UnoControlBinding(control, "com.sun.star.awt.UnoControlFixedTextModel", surface)
    {
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        Set("Label", Text(forms::ShownCaption(Control().FontName(), Control().Caption())));
        Set("Align", Any(AlignOf(Control().TextAlign())));
        Set("MultiLine", Any(Control().WordWrap()));
        Set("Border", Any(BorderOf(Control().SpecialEffect())));
    }

protected:
    bool ClicksOnRelease() const override { return true; }
};

class ImageBinding : public UnoControlBinding {
public:
    ImageBinding(forms::Image& image, DialogSurface& surface)
        : UnoControlBinding(image, "com.sun.star.awt.UnoControlImageControlModel", surface), image_(image)
    {
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        Set("Border", Any(static_cast<sal_Int16>(image_.BorderStyle() != 0 ? 2 : 0)));
        Set("ScaleMode", Any(ScaleModeOf(image_.PictureSizeMode())));
        if (shown_ == image_.Picture() && shownData_ == image_.PictureData()) {
            return;
        }
        shown_ = image_.Picture();
        shownData_ = image_.PictureData();
        Set("Graphic", Any(Loaded()));
    }

protected:
    bool ClicksOnRelease() const override { return true; }

private:
    static sal_Int16 ScaleModeOf(int sizeMode)
    {
        switch (sizeMode) {
            case forms::PictureSizeMode::Stretch:
                return css::awt::ImageScaleMode::ANISOTROPIC;
            case forms::PictureSizeMode::Zoom:
                return css::awt::ImageScaleMode::ISOTROPIC;
            default:
                return css::awt::ImageScaleMode::NONE;
        }
    }

    // The picture held in memory (a tool's own pictures), else the file.
    Reference<css::graphic::XGraphic> Loaded() const
    {
        if (!image_.HasPicture()) {
            return nullptr;
        }
        const auto office = Surface().Office();
        css::beans::PropertyValue source;
        if (!shownData_.empty()) {
            const css::uno::Sequence<sal_Int8> bytes(reinterpret_cast<const sal_Int8*>(shownData_.data()),
                                                     static_cast<sal_Int32>(shownData_.size()));
            source = Named("InputStream", Any(css::io::SequenceInputStream::createStreamFromSequence(office, bytes)));
        } else {
            source = Named("URL", Any(ToUno("file://" + shown_.string())));
        }
        try {
            return css::graphic::GraphicProvider::create(office)->queryGraphic(SequenceOf({source}));
        } catch (const css::uno::Exception&) {
            // A picture that cannot be read is drawn as an empty box, as in the runtime.
            return nullptr;
        }
    }

    forms::Image& image_;
    std::filesystem::path shown_;
    std::string shownData_;
};

class CommandButtonBinding : public UnoControlBinding {
public:
    CommandButtonBinding(forms::CommandButton& button, DialogSurface& surface)
        : UnoControlBinding(button, "com.sun.star.awt.UnoControlButtonModel", surface), button_(button)
    {
        Listener().action = [this] { Input([this] { button_.PerformClick(); }); };
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        Reference<css::awt::XButton>(control, UNO_QUERY_THROW)->addActionListener(&Listener());
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        Set("Label", Text(MnemonicCaption(button_)));
        Set("DefaultButton", Any(button_.Default()));
        Set("FocusOnClick", Any(button_.TakeFocusOnClick()));
    }

private:
    forms::CommandButton& button_;
};

// Check boxes, option buttons and toggle buttons: the control decides the
// value, the toolkit control only shows it.
class ToggleBinding : public UnoControlBinding {
public:
    ToggleBinding(forms::ToggleControl& toggle, const char* service, DialogSurface& surface)
        : UnoControlBinding(toggle, service, surface), toggle_(toggle)
    {
        Listener().item = [this](const css::awt::ItemEvent&) { Clicked(); };
        Listener().action = [this] { Clicked(); };
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        if (const Reference<css::awt::XCheckBox> check(control, UNO_QUERY); check.is()) {
            check->addItemListener(&Listener());
        } else if (const Reference<css::awt::XRadioButton> radio(control, UNO_QUERY); radio.is()) {
            radio->addItemListener(&Listener());
        } else {
            Reference<css::awt::XButton>(control, UNO_QUERY_THROW)->addActionListener(&Listener());
        }
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        Set("Label", Text(MnemonicCaption(toggle_)));
        Set("State", Any(static_cast<sal_Int16>(toggle_.Value() ? 1 : 0)));
        syncing_ = false;
    }

private:
    void Clicked()
    {
        if (!syncing_) {
            Input([this] { toggle_.PerformClick(); });
        }
    }

    forms::ToggleControl& toggle_;
};

// Typing into a box. The toolkit edits the text itself; what it put in
// place of a stretch of the text (at the cursor, over the selection) goes key
// by key through the control (KeyDown, KeyPress, whose handler may refuse or
// replace a key, the edit, KeyUp); an edit that only removes text reaches
// the control's text at once.
void TakeEdit(forms::TextControl& control, const std::string& edited)
{
    const std::vector<char32_t> before = platform::DecodeUtf8(control.Text());
    const std::vector<char32_t> after = platform::DecodeUtf8(edited);
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    if (head + tail == after.size()) {
        control.SetText(edited);
        return;
    }
    const auto encode = [](auto from, auto to) {
        std::string text;
        std::for_each(from, to, [&text](char32_t letter) { platform::AppendUtf8(text, letter); });
        return text;
    };
    const std::string prefix = encode(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(head));
    const std::string suffix = encode(before.end() - static_cast<std::ptrdiff_t>(tail), before.end());
    std::string typed;
    for (std::size_t i = head; i < after.size() - tail; ++i) {
        control.TypeKey(after[i], [&](int keyAscii) {
            platform::AppendUtf8(typed, static_cast<char32_t>(keyAscii));
            return prefix + typed + suffix;
        });
    }
}

// A control whose text the user edits in the toolkit's box.
class EditableBinding : public UnoControlBinding {
public:
    EditableBinding(forms::TextControl& control, const char* model, DialogSurface& surface)
        : UnoControlBinding(control, model, surface), editable_(control)
    {
        Listener().text = [this] { Edited(); };
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        text_.set(control, UNO_QUERY_THROW);
        text_->addTextListener(&Listener());
    }

private:
    void Edited()
    {
        if (!syncing_) {
            Input([this, edited = FromUno(text_->getText())] { TakeEdit(editable_, edited); });
        }
    }

    forms::TextControl& editable_;
    Reference<css::awt::XTextComponent> text_;
};

class TextBoxBinding : public EditableBinding {
public:
    TextBoxBinding(forms::TextBox& box, DialogSurface& surface)
        : EditableBinding(box, "com.sun.star.awt.UnoControlEditModel", surface), box_(box)
    {
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        Set("Text", Text(box_.Text()));
        Set("ReadOnly", Any(box_.Locked()));
        Set("MaxTextLen", Any(static_cast<sal_Int16>(std::clamp(box_.MaxLength(), 0, 32767))));
        Set("Align", Any(AlignOf(box_.TextAlign())));
        syncing_ = false;
    }

private:
    forms::TextBox& box_;
};

// A combo box whose text can be typed; choosing an item sets its text.
class ComboBoxBinding : public EditableBinding {
public:
    ComboBoxBinding(forms::ComboBox& combo, DialogSurface& surface)
        : EditableBinding(combo, "com.sun.star.awt.UnoControlComboBoxModel", surface), combo_(combo)
    {
        // The drop-down button is a style the control gets when it is made.
        Set("Dropdown", Any(true));
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        Set("StringItemList", Any(Items(combo_)));
        Set("Text", Text(combo_.Text()));
        Set("ReadOnly", Any(combo_.Locked()));
        syncing_ = false;
    }

private:
    forms::ComboBox& combo_;
};

class ListBinding : public UnoControlBinding {
public:
    ListBinding(forms::ComboBox& combo, DialogSurface& surface)
        : UnoControlBinding(combo, "com.sun.star.awt.UnoControlListBoxModel", surface), combo_(combo)
    {
        Set("Dropdown", Any(true));
        Listener().item = [this](const css::awt::ItemEvent& event) {
            if (!syncing_) {
                Input([this, index = event.Selected] { combo_.SetListIndex(index); });
            }
        };
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        Reference<css::awt::XListBox>(control, UNO_QUERY_THROW)->addItemListener(&Listener());
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        Set("StringItemList", Any(Items(combo_)));
        css::uno::Sequence<sal_Int16> selected;
        if (combo_.ListIndex() >= 0) {
            selected = SequenceOf({static_cast<sal_Int16>(combo_.ListIndex())});
        }
        Set("SelectedItems", Any(selected));
        syncing_ = false;
    }

private:
    forms::ComboBox& combo_;
};

// Scroll bars and spin buttons: a whole number between Min and Max, either
// of which may be the larger (the control then runs the other way).
class RangeBinding : public UnoControlBinding {
public:
    RangeBinding(forms::RangeControl& range, const char* service, const char* prefix, DialogSurface& surface)
        : UnoControlBinding(range, service, surface), range_(range), prefix_(prefix)
    {
        Listener().adjustment = [this](int value) {
            if (!syncing_) {
                Input([this, value] { range_.SetValue(ModelValue(value)); });
            }
        };
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        if (const Reference<css::awt::XScrollBar> bar(control, UNO_QUERY); bar.is()) {
            bar->addAdjustmentListener(&Listener());
        } else {
            Reference<css::awt::XSpinValue>(control, UNO_QUERY_THROW)->addAdjustmentListener(&Listener());
        }
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        const bool horizontal = range_.Orientation() == forms::Orientation::Horizontal ||
                                (range_.Orientation() == forms::Orientation::Auto && range_.Width() > range_.Height());
        Set("Orientation", Any(static_cast<sal_Int32>(horizontal ? css::awt::ScrollBarOrientation::HORIZONTAL
                                                                 : css::awt::ScrollBarOrientation::VERTICAL)));
        Set(Property("ValueMin").c_str(), Any(static_cast<sal_Int32>(std::min(range_.Min(), range_.Max()))));
        Set(Property("ValueMax").c_str(), Any(static_cast<sal_Int32>(std::max(range_.Min(), range_.Max()))));
        Set(Property("Value").c_str(), Any(static_cast<sal_Int32>(WidgetValue(range_.Value()))));
        if (prefix_ == std::string("Scroll")) {
            Set("LineIncrement", Any(static_cast<sal_Int32>(range_.SmallChange())));
            Set("BlockIncrement", Any(static_cast<sal_Int32>(std::max(1, range_.LargeChange()))));
        } else {
            Set("SpinIncrement", Any(static_cast<sal_Int32>(range_.SmallChange())));
        }
        syncing_ = false;
    }

private:
    std::string Property(const char* name) const { return prefix_ + name; }
    bool Reversed() const { return range_.Min() > range_.Max(); }
    int WidgetValue(int value) const { return Reversed() ? range_.Min() + range_.Max() - value : value; }
    int ModelValue(int value) const { return WidgetValue(value); }

    forms::RangeControl& range_;
    std::string prefix_;
};

// A captioned frame as a group box, its children drawn in the same
// container below its caption; a frame without a caption is a plain
// coloured box (a swatch).
class FrameBinding : public UnoControlBinding {
public:
    FrameBinding(forms::Frame& frame, DialogSurface& surface)
        : UnoControlBinding(frame, frame.Caption().empty() ? "com.sun.star.awt.UnoControlFixedTextModel"
                                                           : "com.sun.star.awt.UnoControlGroupBoxModel",
                            surface),
          frame_(frame), grouped_(!frame.Caption().empty())
    {
    }

    std::pair<float, float> ChildInset() const override
    {
        return {1, grouped_ ? frame_.FontSize() * 0.5F + 1 : 1};
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        Set("Label", Text(frame_.Caption()));
        if (!grouped_) {
            Set("Border", Any(BorderOf(frame_.SpecialEffect())));
        }
    }

protected:
    bool ClicksOnRelease() const override { return true; }
    bool DrawsBackground() const override { return !grouped_; }

private:
    forms::Frame& frame_;
    bool grouped_;
};

// Tabs of pages: each page a container model of its own, children measured
// from its top left corner. The toolkit numbers tabs from 1.
class MultiPageBinding : public UnoControlBinding {
public:
    MultiPageBinding(forms::MultiPage& pages, DialogSurface& surface)
        : UnoControlBinding(pages, "com.sun.star.awt.UnoMultiPageModel", surface), pages_(pages)
    {
        const Reference<css::lang::XMultiServiceFactory> factory(Model(), UNO_QUERY_THROW);
        const Reference<css::container::XNameContainer> container(Model(), UNO_QUERY_THROW);
        for (int i = 0; i < pages_.PageCount(); ++i) {
            const Reference<css::beans::XPropertySet> page(factory->createInstance("com.sun.star.awt.UnoPageModel"),
                                                           UNO_QUERY_THROW);
            page->setPropertyValue("Name", Text(pages_.Pages(i).Name()));
            // The tab row takes its captions when the control is made.
            page->setPropertyValue("Title", Text(pages_.Pages(i).Caption()));
            container->insertByName(ToUno(pages_.Pages(i).Name()), Any(page));
            pageModels_.push_back(page);
        }
        Listener().tabActivated = [this](int id) {
            if (!syncing_) {
                Input([this, id] { pages_.SetValue(id - 1); });
            }
        };
    }

    Reference<css::container::XNameContainer> ChildModels(const forms::Container& container) const override
    {
        const int index = PageIndex(container);
        return index < 0 ? nullptr : Reference<css::container::XNameContainer>(pageModels_[index], UNO_QUERY);
    }

    Reference<css::awt::XControlContainer> ChildControls(const forms::Container& container) const override
    {
        const int index = PageIndex(container);
        if (index < 0 || !Toolkit().is()) {
            return nullptr;
        }
        const Reference<css::awt::XControlContainer> tabs(Toolkit(), UNO_QUERY_THROW);
        return Reference<css::awt::XControlContainer>(tabs->getControl(ToUno(pages_.Pages(index).Name())),
                                                      UNO_QUERY);
    }

    void Attach(const Reference<css::awt::XControl>& control) override
    {
        UnoControlBinding::Attach(control);
        Reference<css::awt::XSimpleTabController>(control, UNO_QUERY_THROW)->addTabListener(&Listener());
    }

    void Sync() override
    {
        UnoControlBinding::Sync();
        syncing_ = true;
        for (int i = 0; i < pages_.PageCount(); ++i) {
            const forms::Page& page = pages_.Pages(i);
            SetOn(pageModels_[i], "Title", Text(page.Caption()));
            SetOn(pageModels_[i], "HelpText", Text(page.ControlTipText()));
            SetOn(pageModels_[i], "Enabled", Any(page.Enabled()));
        }
        Set("MultiPageValue", Any(static_cast<sal_Int32>(pages_.Value() + 1)));
        syncing_ = false;
    }

private:
    int PageIndex(const forms::Container& container) const
    {
        for (int i = 0; i < pages_.PageCount(); ++i) {
            if (&pages_.Pages(i) == &container) {
                return i;
            }
        }
        return -1;
    }

    static void SetOn(const Reference<css::beans::XPropertySet>& model, const char* property, const Any& value)
    {
        if (model->getPropertySetInfo()->hasPropertyByName(rtl::OUString::createFromAscii(property)) &&
            model->getPropertyValue(rtl::OUString::createFromAscii(property)) != value) {
            model->setPropertyValue(rtl::OUString::createFromAscii(property), value);
        }
    }

    forms::MultiPage& pages_;
    std::vector<Reference<css::beans::XPropertySet>> pageModels_;
};

}  // namespace

UnoControlBinding::UnoControlBinding(forms::Control& control, const char* service, DialogSurface& surface)
    : control_(control), surface_(surface),
      model_(surface.ModelFactory()->createInstance(rtl::OUString::createFromAscii(service)), UNO_QUERY_THROW),
      properties_(model_->getPropertySetInfo()), listener_(new ControlListener)
{
    model_->setPropertyValue("Name", Text(control_.Name()));
}

void UnoControlBinding::Attach(const Reference<css::awt::XControl>& control)
{
    toolkit_ = control;
    ListenToMouse();
}

void UnoControlBinding::ListenToMouse()
{
    const Reference<css::awt::XWindow> window(toolkit_, UNO_QUERY_THROW);
    ControlListener& listener = *listener_;
    listener.pressed = [this](const css::awt::MouseEvent& event) {
        Input([this, at = InputOf(event, surface_.PixelsPerPoint())] {
            control_.events.FireMouseDown(at.button, at.shift, at.x, at.y);
        });
    };
    listener.released = [this](const css::awt::MouseEvent& event) {
        const MouseInput at = InputOf(event, surface_.PixelsPerPoint());
        const bool click = ClicksOnRelease() && (event.Buttons & css::awt::MouseButton::LEFT) && at.x >= 0 &&
                           at.y >= 0 && at.x <= control_.Width() && at.y <= control_.Height();
        Input([this, at, click] {
            control_.events.FireMouseUp(at.button, at.shift, at.x, at.y);
            if (click && control_.Operable()) {
                control_.PerformClick();
            }
        });
    };
    listener.moved = [this](const css::awt::MouseEvent& event) {
        Input([this, at = InputOf(event, surface_.PixelsPerPoint())] {
            control_.events.FireMouseMove(at.button, at.shift, at.x, at.y);
        });
    };
    listener.focused = [this] { Input([this] { control_.SetFocus(); }); };
    window->addMouseListener(listener_.get());
    window->addMouseMotionListener(listener_.get());
    window->addFocusListener(listener_.get());
}

void UnoControlBinding::Set(const char* property, const Any& value) const
{
    // A kind of control without the property draws nothing of it (a group box has no background).
    const rtl::OUString name = rtl::OUString::createFromAscii(property);
    if (!properties_->hasPropertyByName(name)) {
        return;
    }
    if (model_->getPropertyValue(name) != value) {
        model_->setPropertyValue(name, value);
    }
}

void UnoControlBinding::Sync()
{
    SyncGeometry();
    SyncFont();
    SyncColours();
    Set("EnableVisible", Any(control_.Visible()));
    Set("Enabled", Any(control_.Enabled()));
    Set("HelpText", Text(control_.ControlTipText()));
    Set("Tabstop", Any(control_.TabStop()));
}

void UnoControlBinding::SyncGeometry() const
{
    const auto [left, top] = surface_.Origin(control_.Parent());
    const css::awt::Point corner = surface_.DialogUnits(left + control_.Left(), top + control_.Top());
    const css::awt::Point size = surface_.DialogUnits(control_.Width(), control_.Height());
    Set("PositionX", Any(corner.X));
    Set("PositionY", Any(corner.Y));
    Set("Width", Any(std::max<sal_Int32>(1, size.X)));
    Set("Height", Any(std::max<sal_Int32>(1, size.Y)));
}

void UnoControlBinding::SyncFont() const
{
    css::awt::FontDescriptor font;
    // A symbol font's captions are drawn as glyphs of the office's own font.
    font.Name = forms::IsSymbolFont(control_.FontName()) ? rtl::OUString() : ToUno(control_.FontName());
    font.Height = static_cast<sal_Int16>(std::lround(control_.FontSize() > 0 ? control_.FontSize() : 9));
    font.Weight = control_.FontBold() ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL;
    Set("FontDescriptor", Any(font));
}

void UnoControlBinding::SyncColours() const
{
    Set("TextColor", Any(UnoFromColor(control_.ForeColor())));
    if (DrawsBackground()) {
        // A see-through control shows the dialog behind it: no colour of its own.
        Set("BackgroundColor", control_.BackStyle() == forms::BackStyle::Opaque
                                   ? Any(UnoFromColor(control_.BackColor()))
                                   : Any());
    }
}

std::string MnemonicCaption(const forms::Control& control)
{
    std::string caption;
    for (const char letter : forms::ShownCaption(control.FontName(), control.Caption())) {
        caption += letter == '~' ? std::string("~~") : std::string(1, letter);
    }
    const std::string key = control.Accelerator();
    if (key.size() != 1) {
        return caption;
    }
    const auto same = [&key](char letter) {
        return std::tolower(static_cast<unsigned char>(letter)) == std::tolower(static_cast<unsigned char>(key[0]));
    };
    if (const auto at = std::find_if(caption.begin(), caption.end(), same); at != caption.end()) {
        caption.insert(at, '~');
    }
    return caption;
}

std::unique_ptr<UnoControlBinding> BindUno(forms::Control& control, DialogSurface& surface)
{
    if (auto* image = dynamic_cast<forms::Image*>(&control)) {
        return std::make_unique<ImageBinding>(*image, surface);
    }
    if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) {
        return std::make_unique<CommandButtonBinding>(*button, surface);
    }
    if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
        return std::make_unique<ToggleBinding>(*option, "com.sun.star.awt.UnoControlRadioButtonModel", surface);
    }
    if (auto* check = dynamic_cast<forms::CheckBox*>(&control)) {
        return std::make_unique<ToggleBinding>(*check, "com.sun.star.awt.UnoControlCheckBoxModel", surface);
    }
    if (auto* toggle = dynamic_cast<forms::ToggleButton*>(&control)) {
        auto binding = std::make_unique<ToggleBinding>(*toggle, "com.sun.star.awt.UnoControlButtonModel", surface);
        binding->Model()->setPropertyValue("Toggle", Any(true));
        return binding;
    }
    if (auto* combo = dynamic_cast<forms::ComboBox*>(&control)) {
        if (combo->Style() == forms::ComboStyle::DropDownList) {
            return std::make_unique<ListBinding>(*combo, surface);
        }
        return std::make_unique<ComboBoxBinding>(*combo, surface);
    }
    if (auto* box = dynamic_cast<forms::TextBox*>(&control)) {
        return std::make_unique<TextBoxBinding>(*box, surface);
    }
    if (auto* spin = dynamic_cast<forms::SpinButton*>(&control)) {
        return std::make_unique<RangeBinding>(*spin, "com.sun.star.awt.UnoControlSpinButtonModel", "Spin", surface);
    }
    if (auto* bar = dynamic_cast<forms::ScrollBar*>(&control)) {
        return std::make_unique<RangeBinding>(*bar, "com.sun.star.awt.UnoControlScrollBarModel", "Scroll", surface);
    }
    if (auto* frame = dynamic_cast<forms::Frame*>(&control)) {
        return std::make_unique<FrameBinding>(*frame, surface);
    }
    if (auto* pages = dynamic_cast<forms::MultiPage*>(&control)) {
        return std::make_unique<MultiPageBinding>(*pages, surface);
    }
    return std::make_unique<LabelBinding>(control, surface);
}

}  // namespace velmora::impress
