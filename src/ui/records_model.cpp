#include "ui/records_model.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "ui/qt_text.h"
#include "view/records_list_cells.h"

namespace tarsel::ui {
namespace {

// The four icons of the read-state and persistence columns, drawn once.
QIcon DrawIcon(int icon) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case kIconUnread:
      painter.setPen(QPen(QColor(30, 90, 200), 1));
      painter.setBrush(QColor(60, 130, 230));
      painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
      break;
    case kIconRead:
      painter.setPen(QPen(QColor(160, 160, 160), 1));
      painter.drawEllipse(QRectF(4.5, 4.5, 7, 7));
      break;
    case kIconPersistent: {
      painter.setPen(QPen(QColor(170, 110, 0), 1));
      painter.setBrush(QColor(240, 180, 30));
      const QPointF star[] = {{8, 1.5},  {10, 6},   {14.5, 6.3}, {11, 9.3},  {12.2, 14},
                              {8, 11.4}, {3.8, 14}, {5, 9.3},    {1.5, 6.3}, {6, 6}};
      painter.drawPolygon(star, 10);
      break;
    }
    default:
      painter.setPen(QPen(QColor(200, 200, 200), 1));
      painter.drawLine(QPointF(5, 8), QPointF(11, 8));
      break;
  }
  return QIcon(pixmap);
}

const QIcon& IconAt(int icon) {
  static const QIcon icons[] = {DrawIcon(kIconUnread), DrawIcon(kIconRead),
                                DrawIcon(kIconNotPersistent), DrawIcon(kIconPersistent)};
  switch (icon) {
    case kIconUnread:
      return icons[0];
    case kIconRead:
      return icons[1];
    case kIconNotPersistent:
      return icons[2];
    default:
      return icons[3];
  }
}

// A cell shows one line of at most this many bytes: more could never fit, and eliding a huge
// text at every paint would stall the window.
constexpr size_t kCellBytes = 1024;

// A cell is one line: line breaks, tabs and other control characters of a feed's text show as
// spaces.
QString OneLine(QString text) {
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  }
  return text;
}

QFont PixelFont(const std::string& name, int32_t pixels) {
  QFont font(ToQt(name));
  font.setPixelSize(pixels > 0 ? pixels : 12);
  return font;
}

}  // namespace

RecordsModel::RecordsModel(QObject* parent) : QAbstractTableModel(parent) {
  UpdateFonts();
}

void RecordsModel::SetView(RecordsViewModel view, const Settings& settings) {
  beginResetModel();
  view_ = std::move(view);
  settings_ = settings;
  UpdateFonts();
  endResetModel();
}

void RecordsModel::SetSettings(const Settings& settings) {
  beginResetModel();
  settings_ = settings;
  UpdateFonts();
  endResetModel();
}

void RecordsModel::UpdateFonts() {
  items_font_ = PixelFont(settings_.itemsfont_name, settings_.itemsfont_size);
  bold_items_font_ = items_font_;
  bold_items_font_.setBold(true);
  description_font_ = PixelFont(settings_.descfont_name, settings_.descfont_size);
}

void RecordsModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kRecordsColumnCount - 1));
}

void RecordsModel::AllRowsChanged() {
  if (view_.empty()) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, kRecordsColumnCount - 1));
}

void RecordsModel::RemoveRecordRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  view_.RemoveRow(static_cast<size_t>(row));
  endRemoveRows();
}

void RecordsModel::SortByColumn(int column, bool ascending) {
  emit layoutAboutToBeChanged();
  SortRowsByColumn(view_.rows(), column, ascending);
  emit layoutChanged();
}

int RecordsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(view_.size());
}

int RecordsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kRecordsColumnCount;
}

QVariant RecordsModel::IconFor(int icon) const {
  return icon < 0 ? QVariant() : IconAt(icon);
}

QVariant RecordsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Record& record = *view_.RecordAt(static_cast<size_t>(index.row()));
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
      const std::string text =
          role == Qt::DisplayRole ? CellText(record, column) : CellAccessibleText(record, column);
      if (text.empty()) return {};
      return OneLine(ToQt(std::string_view(text).substr(0, kCellBytes)));
    }
    case Qt::DecorationRole:
      return IconFor(CellIcon(record, column));
    case Qt::FontRole:
      return record.unread ? bold_items_font_ : items_font_;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    case kDescriptionRole:
      return ToQt(DescriptionText(record, settings_));
    default:
      return {};
  }
}

QVariant RecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kRecordsColumnCount) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return Text(ColumnInfo(section).header_text_id);
    case Qt::ToolTipRole:
      return ToQt(SortTooltip(section));
    default:
      return {};
  }
}

Qt::ItemFlags RecordsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace tarsel::ui
