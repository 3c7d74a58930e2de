#pragma once
// The Channels dialog: every channel's row at once, in the order of the rows (its number, its
// name to edit, whether it is hidden), moved with Move Up / Move Down or by dragging a row; the
// buses (made from the selected rows, renamed, deleted); the sample rate typed with a unit. A
// bad entry is shown and OK waits until it is mended; Cancel leaves the setup as it was.

#include <QDialog>
#include <QString>
#include <array>

#include "view/SetupEdits.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace zq {

class ChannelsDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = QT_TR_NOOP("Channels");
    // Columns of the table "ChannelTable".
    enum Column { ColNumber, ColName, ColHidden };

    explicit ChannelsDialog(const ChannelSetup& setup, QWidget* parent = nullptr);

    // The setup as the dialog shows it, or the first entry that stops it being one.
    SetupEdit Edited() const;
    void accept() override;

  private:
    void fillTable();
    void fillBuses();
    void tableChanged(QTableWidgetItem* item);
    void moveCurrent(int step);
    // The row at place from dropped before the row at gap (rowCount: below the last).
    void dropRow(int from, int gap);
    void addBus();
    void renameBus();
    void deleteBus();
    // A bus edit: taken, or its reason shown beside the buses.
    void busEdit(const SetupEdit& edit);
    void check();
    int channelAt(int row) const;

    ChannelSetup working_;                  // order, hidden rows and buses as edited
    std::array<QString, kChannels> names_;  // as typed, read on OK
    QTableWidget* table_ = nullptr;
    QListWidget* busList_ = nullptr;
    QLineEdit* busName_ = nullptr;
    QLabel* busError_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QLabel* error_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace zq
