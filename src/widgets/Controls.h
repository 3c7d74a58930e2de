#pragma once
// Small widgets the windows' designs need beyond Qt's defaults.

#include <QComboBox>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QMimeData;
class QWidget;

namespace zq {

// A button whose caption wraps onto further lines when the button is too narrow for it, as
// the designed two-line buttons ("Load  from Disk") expect. text() stays the caption as given.
class WrapButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A drop-down that fills its list afresh each time the list opens (a serial adapter plugged in
// meanwhile is in it).
class RefreshingComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

// The windows' design font: the system's face at 8 pt, which the designed sizes are made for.
void ApplyDesignFont(QWidget* widget);

// Check states between the boxes and the view settings: 0 unchecked, 1 checked, 2 greyed (any
// other value greys the box too, and counts as checked).
uint8_t CheckValue(const QCheckBox* box);
Qt::CheckState QtCheckState(uint8_t value);

// Shrinks a widget's font (down to 6 pt) until its one-line text fits its width: designed
// widths assume a narrower font than most Linux desktops have.
void FitTextToWidth(QWidget* widget, const QString& text);

// The full path of the first local file a drag onto a window carries; empty when it carries
// none. Both windows load it as "Load  from Disk" loads a chosen file.
std::string DroppedFile(const QMimeData* data);

}  // namespace zq
