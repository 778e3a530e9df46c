#include "pages/gridmodel.h"

#include <QBrush>
#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>

QColor toQColor(GridColor c) {
    return QColor(c.red, c.green, c.blue);
}

Qt::Alignment toQtAlignment(GridAlignment a) {
    const int n = static_cast<int>(a);
    const Qt::Alignment horizontal = n < 3 ? Qt::AlignLeft : (n < 6 ? Qt::AlignHCenter : Qt::AlignRight);
    const Qt::Alignment vertical = n % 3 == 0 ? Qt::AlignTop : (n % 3 == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
    return horizontal | vertical;
}

// ---- GridTableModel ----

GridTableModel::GridTableModel(GridPage& page, QObject* parent) : QAbstractTableModel(parent), m_page(page) {
    m_rows = std::max(m_page.Rows() - headerRows(), 0);
    m_cols = m_page.Cols();
    m_subscription = m_page.subscribe([this](const GridChange& change) { pageChanged(change); });
}

GridTableModel::~GridTableModel() {
    m_page.unsubscribe(m_subscription);
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridTableModel::cellData(int row, int col, int role) const {
    const CellFormat format = m_page.cellFormat(row, col);
    switch (role) {
    case Qt::DisplayRole:
        return m_page.TextMatrix(row, col);
    case Qt::BackgroundRole:
        return format.backColor ? QVariant(QBrush(toQColor(*format.backColor))) : QVariant();
    case Qt::ForegroundRole:
        return format.foreColor ? QVariant(QBrush(toQColor(*format.foreColor))) : QVariant();
    case Qt::FontRole:
        if (format.bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(int(toQtAlignment(m_page.effectiveAlignment(row, col))));
    default:
        return {};
    }
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return cellData(pageRow(index.row()), index.column(), role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal)
        return headerRows() > 0 ? cellData(0, section, role) : QVariant();
    return role == Qt::DisplayRole ? QVariant(pageRow(section)) : QVariant();
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Values are edited in the page's own editors floating over the cell, never in the view.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridTableModel::pageChanged(const GridChange& change) {
    const int rows = std::max(m_page.Rows() - headerRows(), 0);
    if (change.has(GridChange::Shape) || rows != m_rows || m_page.Cols() != m_cols) {
        // The page has already changed; nothing reads the model between the two calls.
        beginResetModel();
        m_rows = rows;
        m_cols = m_page.Cols();
        endResetModel();
        return;
    }
    if (!change.has(GridChange::Cells) || m_cols == 0)
        return;
    if (change.row >= 0 && change.col >= 0) {
        if (change.row < headerRows()) {
            emit headerDataChanged(Qt::Horizontal, change.col, change.col);
        } else {
            const QModelIndex cell = index(modelRow(change.row), change.col);
            emit dataChanged(cell, cell);
        }
        return;
    }
    if (headerRows() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

// ---- The view ----

void setupGridView(QTableView& view) {
    // The column widths are fixed; a label a little wider than its column is cut, not shortened
    // to an ellipsis that would hide its number.
    view.setTextElideMode(Qt::ElideNone);
    QHeaderView* rows = view.verticalHeader();
    rows->hide(); // the labels in column 0 name the rows
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(twipsToPixels(GridPage::kDefaultRowHeight));
    QHeaderView* heading = view.horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Fixed);
    heading->setMinimumSectionSize(1);
    heading->setSectionsClickable(false);
    heading->setHighlightSections(false);
    heading->setStretchLastSection(false);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectItems);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    // The page code decides when to scroll (TopRow); moving the current cell alone does not.
    view.setAutoScroll(false);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.setTabKeyNavigation(false);
    view.setStyleSheet(QStringLiteral("QTableView { background-color: white; gridline-color: rgb(192, 192, 192);"
                                      " selection-background-color: rgb(192, 255, 192); selection-color: black; }"
                                      "QHeaderView { background-color: white; }"
                                      "QHeaderView::section { background-color: rgb(177, 197, 241); border: none;"
                                      " border-right: 1px solid rgb(192, 192, 192);"
                                      " border-bottom: 1px solid rgb(192, 192, 192); padding: 0px 3px; }"));
}

void applyGridGeometry(QTableView& view, const GridPage& page) {
    const int headerRows = page.FixedRows() > 0 ? 1 : 0;
    QHeaderView* heading = view.horizontalHeader();
    const int cols = view.model() ? view.model()->columnCount() : 0;
    const int rows = view.model() ? view.model()->rowCount() : 0;
    for (int c = 0; c < cols; ++c) {
        const int width = page.ColWidth(c);
        view.setColumnHidden(c, width == 0);
        if (width > 0)
            heading->resizeSection(c, twipsToPixels(width));
    }
    for (int r = 0; r < rows; ++r) {
        const int height = page.RowHeight(r + headerRows);
        view.setRowHidden(r, height == 0);
        if (height > 0)
            view.verticalHeader()->resizeSection(r, twipsToPixels(height));
    }
    const int headingHeight = headerRows > 0 ? page.RowHeight(0) : 0;
    heading->setVisible(headingHeight > 0);
    if (headingHeight > 0)
        heading->setFixedHeight(twipsToPixels(headingHeight));
}

// ---- GridViewBinder ----

GridViewBinder::GridViewBinder(GridPage& page, QTableView& view)
    : QObject(&view), m_page(page), m_view(view), m_model(new GridTableModel(page, this)) {
    setupGridView(view);
    view.setModel(m_model);
    applyGridGeometry(view, page);
    connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { viewCurrentChanged(current); });
    connect(&view, &QTableView::clicked, this, &GridViewBinder::clicked);
    connect(view.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { viewScrolled(); });
    connect(view.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { viewScrolled(); });
    view.installEventFilter(this);
    m_subscription = page.subscribe([this](const GridChange& change) { pageChanged(change); });
    showCursor();
    showScroll();
}

GridViewBinder::~GridViewBinder() {
    m_page.unsubscribe(m_subscription);
}

void GridViewBinder::pageChanged(const GridChange& change) {
    if (m_syncing)
        return;
    if (change.has(GridChange::Shape) || change.has(GridChange::Geometry))
        applyGridGeometry(m_view, m_page);
    if (change.has(GridChange::Shape) || change.has(GridChange::Cursor))
        showCursor();
    if (change.has(GridChange::Shape) || change.has(GridChange::Geometry) || change.has(GridChange::Scroll))
        showScroll();
}

void GridViewBinder::showCursor() {
    QScopedValueRollback guard(m_syncing, true);
    QItemSelectionModel* selection = m_view.selectionModel();
    const int row = m_model->modelRow(m_page.Row());
    const QModelIndex current = row >= 0 ? m_model->index(row, m_page.Col()) : QModelIndex();
    if (current.isValid()) {
        selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    } else {
        // The heading row is current (as a layout leaves it): nothing in the body is.
        selection->clearSelection();
        selection->clearCurrentIndex();
    }
}

namespace {

// Scrolling by whole rows, the view's scroll value counts only the shown rows (columns) above the
// first one in view; the page counts every row, hidden ones too.
bool hiddenAt(const QTableView& view, Qt::Orientation o, int i) {
    return o == Qt::Vertical ? view.isRowHidden(i) : view.isColumnHidden(i);
}

int scrollValueFor(const QTableView& view, Qt::Orientation o, int first) {
    int value = 0;
    for (int i = 0; i < first; ++i)
        if (!hiddenAt(view, o, i))
            ++value;
    return value;
}

int firstInViewFor(const QTableView& view, Qt::Orientation o, int value) {
    const int count = o == Qt::Vertical ? view.model()->rowCount() : view.model()->columnCount();
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        if (hiddenAt(view, o, i))
            continue;
        if (shown++ == value)
            return i;
    }
    return std::max(count - 1, 0);
}

} // namespace

void GridViewBinder::showScroll() {
    // A hidden view has no size to scroll in; it takes the page's position when it is shown.
    if (!m_view.isVisible())
        return;
    QScopedValueRollback guard(m_syncing, true);
    m_view.doItemsLayout(); // scroll ranges must reflect the current rows and sizes
    const int headerRows = m_model->headerRows();
    const int topRow = m_page.TopRow() - headerRows;
    const int leftCol = m_page.LeftCol() - m_page.FixedCols();
    QScrollBar* vertical = m_view.verticalScrollBar();
    QScrollBar* horizontal = m_view.horizontalScrollBar();
    vertical->setValue(scrollValueFor(m_view, Qt::Vertical, topRow));
    horizontal->setValue(scrollValueFor(m_view, Qt::Horizontal, leftCol));
    // Near the end the view cannot scroll as far as asked; the page takes what is shown.
    if (vertical->value() != scrollValueFor(m_view, Qt::Vertical, topRow))
        m_page.setTopRow(firstInViewFor(m_view, Qt::Vertical, vertical->value()) + headerRows);
    if (horizontal->value() != scrollValueFor(m_view, Qt::Horizontal, leftCol))
        m_page.setLeftCol(firstInViewFor(m_view, Qt::Horizontal, horizontal->value()) + m_page.FixedCols());
}

void GridViewBinder::viewCurrentChanged(const QModelIndex& current) {
    if (m_syncing || !current.isValid())
        return;
    {
        QScopedValueRollback guard(m_syncing, true);
        m_page.setRow(m_model->pageRow(current.row()));
        m_page.setCol(current.column());
    }
    m_view.scrollTo(current); // autoScroll is off so program moves don't scroll; user moves do
    emit currentCellChanged();
}

void GridViewBinder::viewScrolled() {
    if (m_syncing || !m_view.isVisible())
        return;
    {
        QScopedValueRollback guard(m_syncing, true);
        const int top = firstInViewFor(m_view, Qt::Vertical, m_view.verticalScrollBar()->value());
        const int left = firstInViewFor(m_view, Qt::Horizontal, m_view.horizontalScrollBar()->value());
        m_page.setTopRow(top + m_model->headerRows());
        m_page.setLeftCol(left + m_page.FixedCols());
    }
    emit scrolled();
}

bool GridViewBinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view) {
        switch (event->type()) {
        case QEvent::Show:
            showScroll();
            break;
        case QEvent::FocusIn:
            emit gotFocus();
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            emit keyDown(key->key(), key->modifiers(), key->text());
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
