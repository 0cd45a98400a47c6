#include "table/table_grid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <utility>

#include "text/cp932.h"

namespace quillmark {
namespace {

// Every row and column is followed by a grid line of this width, which
// DefaultRowHeight and ColWidths leave out.
constexpr int kGridLine = 1;
constexpr int kTextOffset = 2;
constexpr int kInitialColWidths[DataTable::kColumns] = {133, 93};

}  // namespace

// Model row i is table row i + 1; the table's row 0 is the horizontal header.
class DataTableModel : public QAbstractTableModel {
 public:
  DataTableModel(DataTable& table, QObject* parent)
      : QAbstractTableModel(parent), table_(table) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : TableGrid::RowCount - 1;
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : DataTable::kColumns;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return Text(index.column(), index.row() + 1);
  }

  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return Text(section, 0);
  }

  Qt::ItemFlags flags(const QModelIndex&) const override {
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  bool setData(const QModelIndex& index, const QVariant& value,
               int role) override {
    if (role != Qt::EditRole) return false;
    table_.TableCell(index.column(), index.row() + 1,
                     Utf8ToCp932(value.toString().toStdString()));
    emit dataChanged(index, index);
    return true;
  }

  QString Text(int column, int row) const {
    return QString::fromStdString(Cp932ToUtf8(table_.TableCell(column, row)));
  }

  void ShowCell(int column, int row) {
    if (row == 0) {
      emit headerDataChanged(Qt::Horizontal, column, column);
    } else if (row < TableGrid::RowCount) {
      emit dataChanged(index(row - 1, column), index(row - 1, column));
    }
  }

  void ShowAll() {
    emit headerDataChanged(Qt::Horizontal, 0, DataTable::kColumns - 1);
    emit dataChanged(index(0, 0),
                     index(rowCount({}) - 1, DataTable::kColumns - 1));
  }

 private:
  DataTable& table_;
};

namespace {

// Paints the header row like a row of cells and reports mouse releases.
class GridHeader : public QHeaderView {
 public:
  GridHeader(std::function<void()> on_release, QWidget* parent)
      : QHeaderView(Qt::Horizontal, parent), on_release_(std::move(on_release)) {}

  QSize sizeHint() const override {
    return {QHeaderView::sizeHint().width(),
            TableGrid::DefaultRowHeight + kGridLine};
  }

 protected:
  // Beyond the last column the header row shows the window colour like the
  // rows below it, not the style's empty header.
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().brush(QPalette::Base));
    for (int section = 0; section < count(); ++section) {
      paintSection(&painter,
                   QRect(sectionViewportPosition(section), 0,
                         sectionSize(section), viewport()->height()),
                   section);
    }
  }

  void paintSection(QPainter* painter, const QRect& rect,
                    int logical_index) const override {
    QStyleOptionViewItem cell;
    cell.initFrom(this);
    cell.rect = rect.adjusted(0, 0, -kGridLine, -kGridLine);
    cell.state &= ~QStyle::State_Selected;
    cell.font = font();
    TableGrid::PaintCell(*painter, cell,
                         model()->headerData(logical_index, Qt::Horizontal)
                             .toString(),
                         true);
    const QColor grid_colour = QColor::fromRgba(static_cast<QRgb>(
        style()->styleHint(QStyle::SH_Table_GridLineColor, &cell, this)));
    painter->save();
    painter->setPen(grid_colour);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    QHeaderView::mouseReleaseEvent(event);
    on_release_();
  }

 private:
  std::function<void()> on_release_;
};

// The line editor of the current cell. It reports each key release itself
// and keeps it from reaching the grid, which reports its own.
class CellEditor : public QLineEdit {
 public:
  CellEditor(std::function<void()> on_key_release, QWidget* parent)
      : QLineEdit(parent), on_key_release_(std::move(on_key_release)) {
    setFrame(false);
  }

 protected:
  void keyReleaseEvent(QKeyEvent* event) override {
    QLineEdit::keyReleaseEvent(event);
    event->accept();
    if (!event->isAutoRepeat()) on_key_release_();
  }

 private:
  std::function<void()> on_key_release_;
};

using CellPainted = std::function<void(QPainter*, int column, int row,
                                       const QStyleOptionViewItem&)>;

// Paints cells plainly and gives them a line editor that writes every change
// into the model at once.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(CellPainted on_paint, std::function<void()> on_key_release,
               QObject* parent)
      : QStyledItemDelegate(parent),
        on_paint_(std::move(on_paint)),
        on_key_release_(std::move(on_key_release)) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    TableGrid::PaintCell(*painter, option, index.data().toString(), true);
    on_paint_(painter, index.column(), index.row() + 1, option);
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* editor = new CellEditor(on_key_release_, parent);
    // textEdited, not textChanged: a text the model itself puts into the
    // editor must not be written back.
    connect(editor, &QLineEdit::textEdited, this, [this, editor] {
      emit const_cast<CellDelegate*>(this)->commitData(editor);
    });
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // Setting the same text would move the caret while the user types.
    if (line->text() != text) line->setText(text);
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(),
                   Qt::EditRole);
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    editor->setGeometry(option.rect);
  }

 private:
  CellPainted on_paint_;
  std::function<void()> on_key_release_;
};

}  // namespace

TableGrid::TableGrid(DataTable& table, QWidget* parent)
    : QTableView(parent), table_(table), model_(new DataTableModel(table, this)) {
  auto* header = new GridHeader([this] { emit mouseReleased(); }, this);
  setHorizontalHeader(header);
  setModel(model_);
  setItemDelegate(new CellDelegate(
      [this](QPainter* painter, int column, int row,
             const QStyleOptionViewItem& cell) {
        emit drawCell(painter, column, row, cell);
      },
      [this] { emit keyReleased(); }, this));

  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(kGridLine);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(DefaultRowHeight + kGridLine);
  header->setMinimumSectionSize(kGridLine);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionsClickable(false);
  header->setSectionsMovable(false);
  header->setHighlightSections(false);
  for (int column = 0; column < DataTable::kColumns; ++column) {
    SetColWidths(column, kInitialColWidths[column]);
  }

  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // The editor is opened on every current cell instead (currentChanged).
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setCurrentIndex(model_->index(0, 0));
}

TableGrid::~TableGrid() = default;

const std::string& TableGrid::TableCell(int column, int row) const {
  return table_.TableCell(column, row);
}

void TableGrid::TableCell(int column, int row, std::string text) {
  table_.TableCell(column, row, std::move(text));
  model_->ShowCell(column, row);
}

void TableGrid::ChangeTable(const std::function<void(DataTable&)>& change) {
  try {
    change(table_);
  } catch (...) {
    ShowTableChanged();
    throw;
  }
  ShowTableChanged();
}

int TableGrid::ColWidths(int column) const {
  return columnWidth(column) - kGridLine;
}

void TableGrid::SetColWidths(int column, int width) {
  setColumnWidth(column, width + kGridLine);
}

QString TableGrid::CellText(int column, int row) const {
  return model_->Text(column, row);
}

void TableGrid::PaintCell(QPainter& painter, const QStyleOptionViewItem& cell,
                          const QString& text, bool clip) {
  const bool selected = cell.state & QStyle::State_Selected;
  painter.save();
  painter.fillRect(cell.rect, cell.palette.brush(selected ? QPalette::Highlight
                                                          : QPalette::Base));
  if (clip) {
    painter.setClipRect(cell.rect, Qt::IntersectClip);
  } else {
    painter.setClipping(false);
  }
  painter.setFont(cell.font);
  painter.setPen(cell.palette.color(selected ? QPalette::HighlightedText
                                             : QPalette::Text));
  const QPoint origin = cell.rect.topLeft() + QPoint(kTextOffset, kTextOffset);
  painter.drawText(origin + QPoint(0, QFontMetrics(cell.font).ascent()), text);
  painter.restore();
}

void TableGrid::currentChanged(const QModelIndex& current,
                               const QModelIndex& previous) {
  const QWidget* focus = QApplication::focusWidget();
  const bool focused = focus == this || isAncestorOf(focus);
  QTableView::currentChanged(current, previous);
  // Hold the focus in the grid while the old editor goes, or it would pass
  // to the next control of the window.
  if (focused) setFocus();
  if (previous.isValid()) closePersistentEditor(previous);
  OpenEditorOnCurrentCell();
  if (focused) FocusEditor();
}

void TableGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  FocusEditor();
}

void TableGrid::keyReleaseEvent(QKeyEvent* event) {
  QTableView::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyReleased();
}

void TableGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  emit mouseReleased();
}

void TableGrid::OpenEditorOnCurrentCell() {
  const QModelIndex current = currentIndex();
  if (current.isValid()) openPersistentEditor(current);
}

void TableGrid::FocusEditor() {
  if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex()))) {
    editor->setFocus();
    editor->selectAll();
  }
}

void TableGrid::ShowTableChanged() {
  model_->ShowAll();
  // A change of many cells does not reach an open editor; one of its cell
  // does.
  const QModelIndex current = currentIndex();
  if (current.isValid()) model_->ShowCell(current.column(), current.row() + 1);
}

}  // namespace quillmark
