#pragma once

#include <functional>
#include <vector>

#include <QIcon>
#include <QTabWidget>

#include "addin/Connect.hpp"
#include "studio/RibbonModel.hpp"

class QAction;
class QBoxLayout;
class QMenu;
class QToolButton;

namespace velmora::studio {

// The add-in's ribbon tab drawn from the definition Connect serves: groups in
// their order, large and normal buttons, galleries and menus as drop-downs,
// menu separators as titled sections, the split button as a button with a
// menu. Pictures come from GetImage and the gallery item callbacks; imageMso
// names get a drawn stand-in, since the host's own pictures are not ours.
class RibbonBar : public QTabWidget {
public:
    // The onAction of the control pressed, and the press.
    using PressHandler = std::function<void(const std::string& onAction, const addin::RibbonPress& press)>;

    RibbonBar(const addin::Connect& connect, PressHandler onPress, QWidget* parent = nullptr);

    // Every control that carries an onAction, in definition order; gallery
    // items follow their gallery's own buttons. Each action's objectName is
    // the control id (items: the gallery id + "/" + item id), its data the
    // onAction name.
    const std::vector<QAction*>& Commands() const { return commands_; }
    // The buttons on the ribbon face, by control id (objectName).
    QToolButton* Button(const QString& id) const;
    // The commands that work on a presentation are enabled only while one
    // is open; the resource and help groups open web pages and stay enabled.
    void SetPresentationOpen(bool open);

private:
    QWidget* Group(const RibbonNode& group);
    QToolButton* FaceButton(const RibbonNode& node, QWidget* parent);
    QAction* Command(const RibbonNode& node, QObject* parent);
    void FillMenu(QMenu& menu, const RibbonNode& node);
    void AddGalleryItems(QMenu& menu, const RibbonNode& gallery);
    QIcon Picture(const RibbonNode& node) const;

    const addin::Connect& connect_;
    PressHandler onPress_;
    std::vector<QAction*> commands_;
};

// A stand-in picture for a host picture name: a tile in a colour drawn from
// the name, with its first letter.
QIcon StandInIcon(const std::string& imageMso);

}  // namespace velmora::studio
