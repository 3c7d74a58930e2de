#pragma once
// The Add Decoder dialog: every decoder the library has, by name and description, with a
// search; what the chosen decoder sits on (our channels, or the output of a decoder of the setup
// that gives what it takes); its channels mapped to ours (pre-filled where names match); its
// options from its own list, at their defaults, a list of values where it gives one; and the
// sample rate when the setup has none. Opened for a decoder of the setup, it edits that one.
// A bad entry is shown and OK waits until it is mended.

#include <QDialog>
#include <optional>
#include <vector>

#include "view/DecoderEdits.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace zq {

class DecoderDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = QT_TR_NOOP("Add Decoder");

    DecoderDialog(const std::vector<decode::DecoderInfo>& decoders, const ChannelSetup& setup,
                  std::optional<DecoderPlace> place, QWidget* parent = nullptr);

    // The setup with the decoder as the dialog shows it, or why there is none.
    SetupEdit Edited() const;
    void accept() override;

  private:
    void filter(const QString& text);
    // Fills the channels and options of the decoder chosen in the list.
    void choose();
    void check();
    DecoderForm form() const;
    const decode::DecoderInfo* chosen() const;

    std::vector<decode::DecoderInfo> decoders_;
    ChannelSetup setup_;
    std::optional<DecoderPlace> place_;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QComboBox* stackOn_ = nullptr;
    QWidget* fields_ = nullptr;
    QFormLayout* fieldsLayout_ = nullptr;
    std::vector<std::pair<std::string, QComboBox*>> channels_;
    std::vector<std::pair<std::string, QWidget*>> options_;  // a QComboBox or a QLineEdit
    QLineEdit* rate_ = nullptr;
    QLabel* error_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace zq
