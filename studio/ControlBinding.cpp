#include "studio/ControlBinding.hpp"

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "forms/Forms.hpp"
#include "forms/SymbolFonts.hpp"
#include "studio/CaptionedFrame.hpp"
#include "studio/QtPictures.hpp"

namespace velmora::studio {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// A caption as it reads, symbol fonts drawn as their glyphs.
QString CaptionOf(const forms::Control& control)
{
    return Text(forms::ShownCaption(control.FontName(), control.Caption()));
}

// A button's caption for Qt, which takes "&" as the mark of the key that
// presses it with Alt: a literal "&" doubled, and the control's accelerator
// marked where the caption first shows it ("确定(&O)").
QString ButtonCaptionOf(const forms::Control& control)
{
    QString caption = CaptionOf(control).replace('&', "&&");
    const QString key = Text(control.Accelerator());
    if (!key.isEmpty()) {
        if (const qsizetype at = caption.indexOf(key.front(), 0, Qt::CaseInsensitive); at >= 0) {
            caption.insert(at, '&');
        }
    }
    return caption;
}

int ButtonOf(Qt::MouseButton button)
{
    switch (button) {
        case Qt::RightButton:
            return forms::MouseButton::Right;
        case Qt::MiddleButton:
            return forms::MouseButton::Middle;
        default:
            return forms::MouseButton::Left;
    }
}

int ButtonsOf(Qt::MouseButtons buttons)
{
    int held = 0;
    held |= (buttons & Qt::LeftButton) ? forms::MouseButton::Left : 0;
    held |= (buttons & Qt::RightButton) ? forms::MouseButton::Right : 0;
    held |= (buttons & Qt::MiddleButton) ? forms::MouseButton::Middle : 0;
    return held;
}

int ShiftOf(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    shift |= (modifiers & Qt::ShiftModifier) ? forms::ShiftState::Shift : 0;
    shift |= (modifiers & Qt::ControlModifier) ? forms::ShiftState::Ctrl : 0;
    shift |= (modifiers & Qt::AltModifier) ? forms::ShiftState::Alt : 0;
    return shift;
}

Qt::Alignment AlignmentOf(int textAlign)
{
    switch (textAlign) {
        case forms::TextAlign::Center:
            return Qt::AlignCenter;
        case forms::TextAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int FrameStyleOf(int specialEffect)
{
    switch (specialEffect) {
        case forms::SpecialEffect::Raised:
            return QFrame::Panel | QFrame::Raised;
        case forms::SpecialEffect::Sunken:
            return QFrame::Panel | QFrame::Sunken;
        case forms::SpecialEffect::Etched:
            return QFrame::Box | QFrame::Sunken;
        case forms::SpecialEffect::Bump:
            return QFrame::Box | QFrame::Raised;
        default:
            return QFrame::NoFrame;
    }
}

// Labels: caption, alignment, wrapping; a click on release; the special
// effect as the frame.
class LabelBinding : public ControlBinding {
public:
    LabelBinding(forms::Control& control, QWidget* parent, FormSurface& surface)
        : ControlBinding(control, new QLabel(parent), surface), label_(static_cast<QLabel*>(Widget()))
    {
    }

    void Sync() override
    {
        ControlBinding::Sync();
        const QString caption = CaptionOf(Control());
        if (label_->text() != caption) {
            label_->setText(caption);
        }
        label_->setAlignment(AlignmentOf(Control().TextAlign()));
        label_->setWordWrap(Control().WordWrap());
        label_->setFrameStyle(FrameStyleOf(Control().SpecialEffect()));
        label_->setAttribute(Qt::WA_TransparentForMouseEvents, LetsTheMouseThrough());
    }

protected:
    bool ClicksOnRelease() const override { return true; }

private:
    // A see-through label that takes no mouse input is a picture on what
    // lies under it (an arrow on a button): the button takes the clicks.
    bool LetsTheMouseThrough() const
    {
        const forms::ControlEvents& events = Control().events;
        return Control().BackStyle() == forms::BackStyle::Transparent && !events.Click && !events.DblClick &&
               !events.MouseDown && !events.MouseUp && !events.MouseMove;
    }

    QLabel* label_;
};

class ImageBinding : public ControlBinding {
public:
    ImageBinding(forms::Image& image, QWidget* parent, FormSurface& surface)
        : ControlBinding(image, new QLabel(parent), surface), image_(image), label_(static_cast<QLabel*>(Widget()))
    {
    }

    void Sync() override
    {
        ControlBinding::Sync();
        if (shown_ == image_.Picture() && shownData_ == image_.PictureData() && shownSize_ == label_->size() &&
            shownMode_ == image_.PictureSizeMode()) {
            return;
        }
        shown_ = image_.Picture();
        shownData_ = image_.PictureData();
        shownSize_ = label_->size();
        shownMode_ = image_.PictureSizeMode();
        QPixmap picture = Loaded();
        if (!picture.isNull() && shownMode_ == forms::PictureSizeMode::Stretch) {
            picture = picture.scaled(shownSize_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        } else if (!picture.isNull() && shownMode_ == forms::PictureSizeMode::Zoom) {
            picture = picture.scaled(shownSize_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        label_->setAlignment(Qt::AlignCenter);
        label_->setPixmap(picture);
        label_->setFrameStyle(image_.BorderStyle() != 0 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }

protected:
    bool ClicksOnRelease() const override { return true; }

private:
    // The picture held in memory (a tool's own pictures, loaded once), else
    // the file; a sizing handle without a picture is drawn as one.
    QPixmap Loaded() const
    {
        QPixmap picture;
        if (!shownData_.empty()) {
            picture.loadFromData(reinterpret_cast<const uchar*>(shownData_.data()),
                                 static_cast<uint>(shownData_.size()));
        } else if (!shown_.empty()) {
            picture.load(Text(shown_.string()));
        } else if (const QString arrow = HandleArrow(image_.MousePointer()); !arrow.isEmpty()) {
            picture = HandlePicture(shownSize_, arrow);
        }
        return picture;
    }

    static QString HandleArrow(int pointer)
    {
        switch (pointer) {
            case forms::MousePointer::SizeWE:
                return QString(u'\u2194');  // ↔
            case forms::MousePointer::SizeNS:
                return QString(u'\u2195');  // ↕
            case forms::MousePointer::SizeAll:
                return QString(u'\u271B');  // ✛
            default:
                return {};
        }
    }

    static QPixmap HandlePicture(const QSize& size, const QString& arrow)
    {
        QPixmap handle(size);
        handle.fill(Qt::transparent);
        QPainter painter(&handle);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(70, 110, 170));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(handle.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter.setPen(Qt::white);
        painter.drawText(handle.rect(), Qt::AlignCenter, arrow);
        return handle;
    }

    forms::Image& image_;
    QLabel* label_;
    std::filesystem::path shown_;
    std::string shownData_;
    QSize shownSize_;
    int shownMode_ = -1;
};

class CommandButtonBinding : public ControlBinding {
public:
    CommandButtonBinding(forms::CommandButton& button, QWidget* parent, FormSurface& surface)
        : ControlBinding(button, new QPushButton(parent), surface), button_(button),
          push_(static_cast<QPushButton*>(Widget()))
    {
        QObject::connect(push_, &QPushButton::clicked, this, [this] { Input([this] { button_.PerformClick(); }); });
    }

    void Sync() override
    {
        ControlBinding::Sync();
        if (push_->text() != ButtonCaptionOf(button_)) {
            push_->setText(ButtonCaptionOf(button_));
        }
        push_->setDefault(button_.Default());
        push_->setAutoDefault(button_.Default());
        push_->setFocusPolicy(button_.TakeFocusOnClick() ? Qt::StrongFocus : Qt::TabFocus);
    }

protected:
    void ApplyColours() override {}

private:
    forms::CommandButton& button_;
    QPushButton* push_;
};

// Check boxes, option buttons and toggle buttons: the control decides the
// value, the widget only shows it.
class ToggleBinding : public ControlBinding {
public:
    ToggleBinding(forms::ToggleControl& toggle, QAbstractButton* button, FormSurface& surface)
        : ControlBinding(toggle, button, surface), toggle_(toggle), button_(button)
    {
        button_->setCheckable(true);
        if (auto* radio = qobject_cast<QRadioButton*>(button_)) {
            radio->setAutoExclusive(false);
        }
        QObject::connect(button_, &QAbstractButton::clicked, this, [this] {
            Input([this] { toggle_.PerformClick(); });
        });
    }

    void Sync() override
    {
        ControlBinding::Sync();
        if (button_->text() != ButtonCaptionOf(toggle_)) {
            button_->setText(ButtonCaptionOf(toggle_));
        }
        if (button_->isChecked() != toggle_.Value()) {
            button_->setChecked(toggle_.Value());
        }
    }

private:
    forms::ToggleControl& toggle_;
    QAbstractButton* button_;
};

// Typing into a box. Each typed key is raised on the control first
// (KeyDown, then KeyPress, whose handler may refuse or replace it); the
// box edits as its platform does, over the selection and at the cursor,
// and the control takes the box's text before KeyUp. Edits that are no
// key (paste, cut, undo, an input method's text) reach the control's text
// as they happen, so nothing typed is lost when a button is pressed next.
class TextEditing : public QObject {
public:
    TextEditing(forms::TextControl& control, QLineEdit& edit, FormSurface& surface)
        : QObject(&edit), control_(control), edit_(edit), surface_(surface)
    {
        edit_.installEventFilter(this);
        QObject::connect(&edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (!keying_) {
                surface_.Dispatch([this, text] { control_.SetText(text.toStdString()); });
            }
        });
    }

    // What the box may hold; only typing is limited, as for the control.
    void Sync()
    {
        edit_.setReadOnly(control_.Locked());
        const int limit = control_.MaxLength() > 0 ? control_.MaxLength() : kUnlimited;
        if (edit_.maxLength() != limit) {
            edit_.setMaxLength(limit);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) {
            Type(QString(QChar(forms::KeyCode::Backspace)));
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Type(QString(QChar(forms::KeyCode::Enter)));
            // Enter still reaches the dialog, which presses its default button.
            return false;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && (key->modifiers() & Qt::AltModifier)) {
            // Alt with a letter is an accelerator that no button has: nothing to type.
            return true;
        }
        if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
            Type(text);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // QLineEdit's own limit when none is set.
    static constexpr int kUnlimited = 32767;

    void Type(const QString& text)
    {
        surface_.Dispatch([this, text] {
            for (const char32_t key : text.toStdU32String()) {
                control_.TypeKey(key, [this](int keyAscii) { return Edited(keyAscii); });
            }
        });
    }

    std::string Edited(int keyAscii)
    {
        keying_ = true;
        if (keyAscii == forms::KeyCode::Backspace) {
            edit_.backspace();
        } else {
            const char32_t typed = static_cast<char32_t>(keyAscii);
            edit_.insert(QString::fromUcs4(&typed, 1));
        }
        keying_ = false;
        return edit_.text().toStdString();
    }

    forms::TextControl& control_;
    QLineEdit& edit_;
    FormSurface& surface_;
    bool keying_ = false;
};

class TextBoxBinding : public ControlBinding {
public:
    TextBoxBinding(forms::TextBox& box, QWidget* parent, FormSurface& surface)
        : ControlBinding(box, new QLineEdit(parent), surface), box_(box), edit_(static_cast<QLineEdit*>(Widget())),
          editing_(new TextEditing(box, *edit_, surface))
    {
    }

    void Sync() override
    {
        ControlBinding::Sync();
        const QString text = Text(box_.Text());
        if (edit_->text() != text) {
            edit_->setText(text);
        }
        editing_->Sync();
        edit_->setAlignment(AlignmentOf(box_.TextAlign()));
    }

protected:
    void ApplyColours() override
    {
        QPalette palette = edit_->palette();
        palette.setColor(QPalette::Base, QColorOf(Control().BackColor()));
        palette.setColor(QPalette::Text, QColorOf(Control().ForeColor()));
        edit_->setPalette(palette);
    }

private:
    forms::TextBox& box_;
    QLineEdit* edit_;
    TextEditing* editing_;
};

class ComboBoxBinding : public ControlBinding {
public:
    ComboBoxBinding(forms::ComboBox& combo, QWidget* parent, FormSurface& surface)
        : ControlBinding(combo, new QComboBox(parent), surface), combo_(combo),
          box_(static_cast<QComboBox*>(Widget()))
    {
        // Typed text is the control's; the list does not take it in.
        box_->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(box_, &QComboBox::activated, this, [this](int index) {
            if (!syncing_) {
                Input([this, index] { combo_.SetListIndex(index); });
            }
        });
    }

    void Sync() override
    {
        ControlBinding::Sync();
        syncing_ = true;
        const bool editable = combo_.Style() != forms::ComboStyle::DropDownList;
        if (box_->isEditable() != editable) {
            box_->setEditable(editable);
            editing_ = editable ? new TextEditing(combo_, *box_->lineEdit(), Surface()) : nullptr;
            // Completing inline would put text the user never typed into the control.
            box_->setCompleter(nullptr);
        }
        SyncItems();
        if (editing_ != nullptr) {
            editing_->Sync();
            SyncEditText();
        } else if (box_->currentIndex() != combo_.ListIndex()) {
            box_->setCurrentIndex(combo_.ListIndex());
        }
        syncing_ = false;
    }

private:
    // Typed text that is no item leaves the list's index where it was:
    // moving it would replace the text being typed.
    void SyncEditText()
    {
        if (combo_.ListIndex() >= 0 && box_->currentIndex() != combo_.ListIndex()) {
            box_->setCurrentIndex(combo_.ListIndex());
        }
        const QString text = Text(combo_.Text());
        if (box_->currentText() != text) {
            box_->setEditText(text);
        }
    }

    void SyncItems()
    {
        bool same = box_->count() == combo_.ListCount();
        for (int i = 0; same && i < combo_.ListCount(); ++i) {
            same = box_->itemText(i) == Text(combo_.List(i));
        }
        if (same) {
            return;
        }
        box_->clear();
        for (int i = 0; i < combo_.ListCount(); ++i) {
            box_->addItem(Text(combo_.List(i)));
        }
    }

    forms::ComboBox& combo_;
    QComboBox* box_;
    TextEditing* editing_ = nullptr;
};

class ScrollBarBinding : public ControlBinding {
public:
    ScrollBarBinding(forms::RangeControl& range, QWidget* parent, FormSurface& surface)
        : ControlBinding(range, new QScrollBar(parent), surface), range_(range),
          bar_(static_cast<QScrollBar*>(Widget()))
    {
        QObject::connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
            if (!syncing_) {
                Input([this, value] { range_.SetValue(ModelValue(value)); });
            }
        });
    }

    void Sync() override
    {
        ControlBinding::Sync();
        syncing_ = true;
        const bool horizontal = range_.Orientation() == forms::Orientation::Horizontal ||
                                (range_.Orientation() == forms::Orientation::Auto && range_.Width() > range_.Height());
        bar_->setOrientation(horizontal ? Qt::Horizontal : Qt::Vertical);
        bar_->setRange(std::min(range_.Min(), range_.Max()), std::max(range_.Min(), range_.Max()));
        bar_->setSingleStep(range_.SmallChange());
        bar_->setPageStep(std::max(1, range_.LargeChange()));
        bar_->setValue(WidgetValue(range_.Value()));
        syncing_ = false;
    }

private:
    // A bar whose Min is the larger runs the other way.
    bool Reversed() const { return range_.Min() > range_.Max(); }
    int WidgetValue(int value) const { return Reversed() ? range_.Min() + range_.Max() - value : value; }
    int ModelValue(int value) const { return WidgetValue(value); }

    forms::RangeControl& range_;
    QScrollBar* bar_;
};

// A spin button: two arrows that move Value by SmallChange.
class SpinButtonBinding : public ControlBinding {
public:
    SpinButtonBinding(forms::SpinButton& spin, QWidget* parent, FormSurface& surface)
        : ControlBinding(spin, new QWidget(parent), surface), spin_(spin)
    {
        auto* up = new QToolButton(Widget());
        auto* down = new QToolButton(Widget());
        up->setObjectName(Text(spin.Name()) + "/up");
        down->setObjectName(Text(spin.Name()) + "/down");
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        up->setAutoRepeat(true);
        down->setAutoRepeat(true);
        auto* layout = new QVBoxLayout(Widget());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(up);
        layout->addWidget(down);
        QObject::connect(up, &QToolButton::clicked, this, [this] { Step(+1); });
        QObject::connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    }

private:
    void Step(int direction)
    {
        Input([this, direction] {
            const int towardsMax = spin_.Max() >= spin_.Min() ? 1 : -1;
            spin_.SetValue(spin_.Value() + direction * towardsMax * spin_.SmallChange());
        });
    }

    forms::SpinButton& spin_;
};

class FrameBinding : public ControlBinding {
public:
    FrameBinding(forms::Frame& frame, QWidget* parent, FormSurface& surface)
        : ControlBinding(frame, new CaptionedFrame(parent), surface), frame_(frame),
          box_(static_cast<CaptionedFrame*>(Widget()))
    {
    }

    QWidget* ChildArea(const forms::Container& container) const override
    {
        return &container == static_cast<const forms::Container*>(&frame_) ? box_->Inside() : nullptr;
    }

    void Sync() override
    {
        ControlBinding::Sync();
        box_->SetCaption(Text(frame_.Caption()));
    }

protected:
    bool ClicksOnRelease() const override { return true; }

private:
    forms::Frame& frame_;
    CaptionedFrame* box_;
};

class MultiPageBinding : public ControlBinding {
public:
    MultiPageBinding(forms::MultiPage& pages, QWidget* parent, FormSurface& surface)
        : ControlBinding(pages, new QTabWidget(parent), surface), pages_(pages),
          tabs_(static_cast<QTabWidget*>(Widget()))
    {
        for (int i = 0; i < pages_.PageCount(); ++i) {
            auto* page = new QWidget(tabs_);
            page->setObjectName(Text(pages_.Pages(i).Name()));
            tabs_->addTab(page, Text(pages_.Pages(i).Caption()));
        }
        QObject::connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
            if (!syncing_) {
                Input([this, index] { pages_.SetValue(index); });
            }
        });
    }

    QWidget* ChildArea(const forms::Container& container) const override
    {
        for (int i = 0; i < pages_.PageCount(); ++i) {
            if (&pages_.Pages(i) == &container) {
                return tabs_->widget(i);
            }
        }
        return nullptr;
    }

    void Sync() override
    {
        ControlBinding::Sync();
        syncing_ = true;
        for (int i = 0; i < pages_.PageCount(); ++i) {
            const forms::Page& page = pages_.Pages(i);
            tabs_->setTabText(i, Text(page.Caption()));
            tabs_->setTabToolTip(i, Text(page.ControlTipText()));
            tabs_->setTabVisible(i, page.Visible());
            tabs_->setTabEnabled(i, page.Enabled());
        }
        if (tabs_->currentIndex() != pages_.Value()) {
            tabs_->setCurrentIndex(pages_.Value());
        }
        syncing_ = false;
    }

private:
    forms::MultiPage& pages_;
    QTabWidget* tabs_;
};

}  // namespace

ControlBinding::ControlBinding(forms::Control& control, QWidget* widget, FormSurface& surface)
    : control_(control), widget_(widget), surface_(surface)
{
    widget_->setObjectName(Text(control_.Name()));
    widget_->setMouseTracking(true);
    widget_->installEventFilter(this);
}

void ControlBinding::Sync()
{
    ApplyGeometry();
    ApplyFont();
    if (widget_->isVisibleTo(widget_->parentWidget()) != control_.Visible()) {
        widget_->setVisible(control_.Visible());
    }
    widget_->setEnabled(control_.Enabled());
    ApplyPointer();
    const QString tip = Text(control_.ControlTipText());
    if (widget_->toolTip() != tip) {
        widget_->setToolTip(tip);
    }
    if (drawn_.back != control_.BackColor() || drawn_.fore != control_.ForeColor() ||
        drawn_.backStyle != control_.BackStyle()) {
        drawn_.back = control_.BackColor();
        drawn_.fore = control_.ForeColor();
        drawn_.backStyle = control_.BackStyle();
        ApplyColours();
    }
}

void ControlBinding::ApplyGeometry()
{
    if (drawn_.left == control_.Left() && drawn_.top == control_.Top() && drawn_.width == control_.Width() &&
        drawn_.height == control_.Height()) {
        return;
    }
    drawn_.left = control_.Left();
    drawn_.top = control_.Top();
    drawn_.width = control_.Width();
    drawn_.height = control_.Height();
    const double scale = Scale();
    widget_->setGeometry(static_cast<int>(drawn_.left * scale), static_cast<int>(drawn_.top * scale),
                         std::max(1, static_cast<int>(drawn_.width * scale)),
                         std::max(1, static_cast<int>(drawn_.height * scale)));
}

void ControlBinding::ApplyPointer()
{
    // Widgets keep a pointer of their own (a text box's I-beam) unless the control asks for another.
    if (drawn_.pointer == control_.MousePointer()) {
        return;
    }
    drawn_.pointer = control_.MousePointer();
    switch (drawn_.pointer) {
        case forms::MousePointer::SizeNS:
            widget_->setCursor(Qt::SizeVerCursor);
            break;
        case forms::MousePointer::SizeWE:
            widget_->setCursor(Qt::SizeHorCursor);
            break;
        case forms::MousePointer::SizeAll:
            widget_->setCursor(Qt::SizeAllCursor);
            break;
        default:
            widget_->unsetCursor();
            break;
    }
}

void ControlBinding::ApplyFont()
{
    if (drawn_.fontName == control_.FontName() && drawn_.fontSize == control_.FontSize() &&
        drawn_.fontBold == control_.FontBold()) {
        return;
    }
    drawn_.fontName = control_.FontName();
    drawn_.fontSize = control_.FontSize();
    drawn_.fontBold = control_.FontBold();
    // A symbol font's captions are drawn as glyphs of the desktop's own font.
    QFont font = forms::IsSymbolFont(drawn_.fontName) ? QFont() : QFont(Text(drawn_.fontName));
    font.setPointSizeF(drawn_.fontSize > 0 ? drawn_.fontSize : 9);
    font.setBold(drawn_.fontBold);
    widget_->setFont(font);
}

void ControlBinding::ApplyColours()
{
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, QColorOf(control_.BackColor()));
    palette.setColor(QPalette::Button, QColorOf(control_.BackColor()));
    palette.setColor(QPalette::WindowText, QColorOf(control_.ForeColor()));
    palette.setColor(QPalette::ButtonText, QColorOf(control_.ForeColor()));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(control_.BackStyle() == forms::BackStyle::Opaque);
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_) {
        return QObject::eventFilter(watched, event);
    }
    const double scale = Scale();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const auto at = mouse->position() / scale;
            Input([this, button = ButtonOf(mouse->button()), shift = ShiftOf(mouse->modifiers()), at] {
                control_.events.FireMouseDown(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
            });
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const auto at = mouse->position() / scale;
            const bool inside = widget_->rect().contains(mouse->position().toPoint());
            const bool click = inside && mouse->button() == Qt::LeftButton && ClicksOnRelease();
            Input([this, button = ButtonOf(mouse->button()), shift = ShiftOf(mouse->modifiers()), at, click] {
                control_.events.FireMouseUp(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
                if (click && control_.Operable()) {
                    control_.PerformClick();
                }
            });
            break;
        }
        case QEvent::MouseButtonDblClick:
            Input([this] { control_.events.FireDblClick(); });
            break;
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const auto at = mouse->position() / scale;
            Input([this, held = ButtonsOf(mouse->buttons()), shift = ShiftOf(mouse->modifiers()), at] {
                control_.events.FireMouseMove(held, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
            });
            break;
        }
        case QEvent::FocusIn:
            Input([this] { control_.SetFocus(); });
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<ControlBinding> Bind(forms::Control& control, QWidget* parent, FormSurface& surface)
{
    if (auto* image = dynamic_cast<forms::Image*>(&control)) {
        return std::make_unique<ImageBinding>(*image, parent, surface);
    }
    if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) {
        return std::make_unique<CommandButtonBinding>(*button, parent, surface);
    }
    if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
        return std::make_unique<ToggleBinding>(*option, new QRadioButton(parent), surface);
    }
    if (auto* check = dynamic_cast<forms::CheckBox*>(&control)) {
        return std::make_unique<ToggleBinding>(*check, new QCheckBox(parent), surface);
    }
    if (auto* toggle = dynamic_cast<forms::ToggleButton*>(&control)) {
        return std::make_unique<ToggleBinding>(*toggle, new QPushButton(parent), surface);
    }
    if (auto* combo = dynamic_cast<forms::ComboBox*>(&control)) {
        return std::make_unique<ComboBoxBinding>(*combo, parent, surface);
    }
    if (auto* box = dynamic_cast<forms::TextBox*>(&control)) {
        return std::make_unique<TextBoxBinding>(*box, parent, surface);
    }
    if (auto* spin = dynamic_cast<forms::SpinButton*>(&control)) {
        return std::make_unique<SpinButtonBinding>(*spin, parent, surface);
    }
    if (auto* bar = dynamic_cast<forms::ScrollBar*>(&control)) {
        return std::make_unique<ScrollBarBinding>(*bar, parent, surface);
    }
    if (auto* frame = dynamic_cast<forms::Frame*>(&control)) {
        return std::make_unique<FrameBinding>(*frame, parent, surface);
    }
    if (auto* pages = dynamic_cast<forms::MultiPage*>(&control)) {
        return std::make_unique<MultiPageBinding>(*pages, parent, surface);
    }
    return std::make_unique<LabelBinding>(control, parent, surface);
}

}  // namespace velmora::studio
