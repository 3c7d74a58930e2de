#pragma once
// The annotation list, a dock of the main window: one line per annotation of the decoders'
// run (sample, time, decoder, row, text), narrowed by a search box. A click on a line asks for
// the window centred on that annotation; "Export CSV ..." asks for the lines shown to be
// written. The window does both through the paths its buttons use.

#include <QDockWidget>
#include <memory>
#include <optional>
#include <vector>

#include "view/Annotations.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace zq {

class AnnotationModel;

class AnnotationList : public QDockWidget {
    Q_OBJECT
  public:
    enum Column { ColSample, ColTime, ColDecoder, ColRow, ColText, ColumnCount };

    explicit AnnotationList(QWidget* parent = nullptr);
    ~AnnotationList() override;

    // What the decoders said (null: nothing), and the rate the times are given at.
    void setAnnotations(std::shared_ptr<const AnnotationTable> table,
                        std::optional<double> sampleRate);
    const std::shared_ptr<const AnnotationTable>& annotations() const;
    // The annotations the search leaves, in the list's order.
    const std::vector<size_t>& shown() const;

  signals:
    // The samples first..last of the annotation clicked.
    void annotationChosen(qint64 first, qint64 last);
    void exportRequested();

  private:
    AnnotationModel* model_;
    QLineEdit* search_;
    QTableView* table_;
    QPushButton* export_;
};

}  // namespace zq
