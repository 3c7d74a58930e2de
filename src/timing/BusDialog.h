#pragma once
// The Make Bus dialog: a name and the bus's channels, chosen among the rows (Shift+click for a
// range). The rows are listed top to bottom and the bus takes them so, the top one most
// significant. OK waits until the name and the channels make a bus.

#include <QDialog>
#include <vector>

#include "view/SetupEdits.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zq {

class BusDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = QT_TR_NOOP("Make Bus");

    BusDialog(const ChannelSetup& setup, const std::vector<int>& chosen, QWidget* parent = nullptr);

    // The bus as chosen, in a setup that holds it, or why it is none.
    SetupEdit Made() const;
    // The bus the dialog makes; valid when Made() is.
    Bus Chosen() const;

  private:
    void check();
    std::vector<int> channels() const;

    ChannelSetup setup_;
    QLineEdit* name_ = nullptr;
    QListWidget* rows_ = nullptr;
    QLabel* error_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace zq
