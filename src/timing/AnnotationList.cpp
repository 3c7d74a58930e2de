#include "timing/AnnotationList.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace zq {

// The lines of the list over the table: only the annotations the search leaves, each read
// when the view shows it, so thousands of annotations cost no widgets.
class AnnotationModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void set(std::shared_ptr<const AnnotationTable> table, std::optional<double> rate,
             const QString& query) {
        beginResetModel();
        table_ = std::move(table);
        rate_ = rate;
        query_ = query.toStdString();
        shown_.clear();
        if (table_)
            for (size_t i : table_->listed())
                if (MatchesSearch(*table_, i, query_)) shown_.push_back(i);
        endResetModel();
    }
    void search(const QString& query) { set(table_, rate_, query); }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : AnnotationList::ColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!table_ || !index.isValid() || static_cast<size_t>(index.row()) >= shown_.size())
            return {};
        const size_t i = shown_[static_cast<size_t>(index.row())];
        const decode::Annotation& a = table_->annotation(i);
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(AnnotationText(table_->row(table_->rowOf(i)), a, rate_));
        if (role == Qt::TextAlignmentRole && index.column() <= AnnotationList::ColTime)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
            case AnnotationList::ColSample:
                return QString::number(a.start);
            case AnnotationList::ColTime:
                return QString::fromStdString(AnnotationTime(a, rate_));
            case AnnotationList::ColDecoder:
                return QString::fromStdString(a.instance);
            case AnnotationList::ColRow:
                return QString::fromStdString(table_->row(table_->rowOf(i)).desc);
            default:
                return QString::fromStdString(a.texts.empty() ? "" : a.texts.front()) +
                       (a.unreliable ? "  " + AnnotationList::tr("(unreliable)") : QString());
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const char* const kHeads[] = {QT_TRANSLATE_NOOP("zq::AnnotationList", "Sample"),
                                             QT_TRANSLATE_NOOP("zq::AnnotationList", "Time"),
                                             QT_TRANSLATE_NOOP("zq::AnnotationList", "Decoder"),
                                             QT_TRANSLATE_NOOP("zq::AnnotationList", "Row"),
                                             QT_TRANSLATE_NOOP("zq::AnnotationList", "Text")};
        return section >= 0 && section < AnnotationList::ColumnCount
                   ? AnnotationList::tr(kHeads[section])
                   : QVariant();
    }

    std::shared_ptr<const AnnotationTable> table_;
    std::optional<double> rate_;
    std::string query_;
    std::vector<size_t> shown_;
};

AnnotationList::AnnotationList(QWidget* parent)
    : QDockWidget(tr("Annotations"), parent), model_(new AnnotationModel(this)) {
    setObjectName("AnnotationList");
    auto* body = new QWidget(this);
    search_ = new QLineEdit(body);
    search_->setObjectName("AnnotationSearch");
    search_->setPlaceholderText(tr("Search the annotations"));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(tr("Search the annotations"));
    export_ = new QPushButton(tr("Export CSV ..."), body);
    export_->setObjectName("ExportAnnotations");
    export_->setToolTip(tr("Write the annotations listed to a CSV file"));
    table_ = new QTableView(body);
    table_->setObjectName("AnnotationTable");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setToolTip(tr("Click a line to centre the diagram on it"));
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& q) {
        model_->search(q);
        export_->setEnabled(!model_->shown_.empty());
    });
    connect(export_, &QPushButton::clicked, this, &AnnotationList::exportRequested);
    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (!model_->table_ || static_cast<size_t>(index.row()) >= model_->shown_.size()) return;
        const auto [first, last] = CoveredSamples(
            model_->table_->annotation(model_->shown_[static_cast<size_t>(index.row())]));
        emit annotationChosen(first, last);
    });
    auto* top = new QHBoxLayout;
    top->addWidget(search_, 1);
    top->addWidget(export_);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    setWidget(body);
}

AnnotationList::~AnnotationList() = default;

void AnnotationList::setAnnotations(std::shared_ptr<const AnnotationTable> table,
                                    std::optional<double> sampleRate) {
    model_->set(std::move(table), sampleRate, search_->text());
    export_->setEnabled(!model_->shown_.empty());
}

const std::shared_ptr<const AnnotationTable>& AnnotationList::annotations() const {
    return model_->table_;
}

const std::vector<size_t>& AnnotationList::shown() const { return model_->shown_; }

}  // namespace zq
