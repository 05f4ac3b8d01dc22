#include "ui/macro/SkinLVCmdList.h"

#include <QHeaderView>
#include <QPainter>
#include <QTreeWidgetItem>

#include "macro/MacroProgram.h"
#include "platform/qt/QtText.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/SkinListCtrl.h"

namespace vorlix {

namespace {

constexpr QSize kIconSize(24, 16);

// An icon resource drawn into the list's 24 x 16 cell.
QIcon LoadIcon(int id) {
    const QPixmap picture = CSkinImages::Pixmap(id);
    if (picture.isNull()) {
        return {};
    }
    QPixmap cell(kIconSize);
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    const QPixmap scaled = picture.scaled(kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap((kIconSize.width() - scaled.width()) / 2, (kIconSize.height() - scaled.height()) / 2,
                       scaled);
    return QIcon(cell);
}

}  // namespace

CSkinLVCmdList::CSkinLVCmdList(CMacroProgram& program, QObject* parent)
    : QObject(parent), m_program(program) {}

CSkinLVCmdList::~CSkinLVCmdList() {
    m_program.SetObserver(nullptr);
}

int CSkinLVCmdList::IconResource(int slot) {
    return slot >= 0 && slot < static_cast<int>(kIconOrder.size()) ? kIconOrder[static_cast<size_t>(slot)]
                                                                   : 0;
}

void CSkinLVCmdList::SetUp(CSkinListCtrl* list, const QFont& rowFont, const QFont& secondFont) {
    m_list = list;
    list->setFont(rowFont);
    list->header()->setFont(secondFont);
    list->setColumnCount(3);
    list->setHeaderLabels({QString(), QString(), QString()});
    list->setHeaderHidden(true);
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->header()->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column) {
        list->setColumnWidth(column, kColumnWidths[column]);
    }
    list->setColumnHidden(0, true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setIconSize(kIconSize);
    for (size_t slot = 0; slot < m_icons.size(); ++slot) {
        const int id = IconResource(static_cast<int>(slot));
        m_icons[slot] = id != 0 ? LoadIcon(id) : QIcon();
    }
    connect(list, &QTreeWidget::itemSelectionChanged, this, &CSkinLVCmdList::OnUserSelection);
    m_program.SetObserver(this);
    OnCleared();
    for (int line = 0; line < m_program.Count(); ++line) {
        OnRowInserted(line);
    }
}

void CSkinLVCmdList::Fill(int line) {
    QTreeWidgetItem* item = m_list->topLevelItem(line);
    if (item == nullptr) {
        return;
    }
    const int slot = m_program.IconOf(line);
    item->setText(1, QString::fromUtf16(m_program.Line(line).text));
    item->setIcon(1, slot >= 0 && slot < static_cast<int>(m_icons.size()) ? m_icons[static_cast<size_t>(slot)]
                                                                          : QIcon());
    item->setText(2, ToQString(m_program.DelayTextOf(line)));
    ++m_rowWrites;
}

void CSkinLVCmdList::Renumber(int from) {
    for (int line = std::max(0, from); line < m_list->topLevelItemCount(); ++line) {
        m_list->topLevelItem(line)->setText(0, QString::number(line + 1));
    }
}

void CSkinLVCmdList::OnCleared() {
    if (m_list != nullptr) {
        m_syncing = true;
        m_list->clear();
        m_syncing = false;
    }
}

void CSkinLVCmdList::OnRowInserted(int line) {
    if (m_list == nullptr) {
        return;
    }
    m_syncing = true;
    m_list->insertTopLevelItem(line, new QTreeWidgetItem());
    Fill(line);
    Renumber(line);
    m_syncing = false;
}

void CSkinLVCmdList::OnRowChanged(int line) {
    if (m_list != nullptr) {
        Fill(line);
    }
}

void CSkinLVCmdList::OnRowsDeleted(const int* lines, int count) {
    if (m_list == nullptr || count <= 0) {
        return;
    }
    m_syncing = true;
    for (int i = count - 1; i >= 0; --i) {
        delete m_list->takeTopLevelItem(lines[i]);
    }
    Renumber(lines[0]);
    m_syncing = false;
}

void CSkinLVCmdList::OnSelectionChanged(int line, bool selected) {
    QTreeWidgetItem* item = m_list != nullptr ? m_list->topLevelItem(line) : nullptr;
    if (item == nullptr || item->isSelected() == selected) {
        return;
    }
    m_syncing = true;
    item->setSelected(selected);
    if (selected) {
        m_list->setCurrentItem(item, 1, QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

void CSkinLVCmdList::OnEnsureVisible(int line) {
    if (m_list != nullptr) {
        m_list->EnsureVisible(line);
        m_list->viewport()->update();
    }
}

void CSkinLVCmdList::OnUserSelection() {
    if (m_syncing) {
        return;
    }
    // The list's selection goes to the program without coming back to the list.
    m_syncing = true;
    const int count = std::min(m_program.Count(), m_list->topLevelItemCount());
    for (int line = 0; line < count; ++line) {
        const bool selected = m_list->topLevelItem(line)->isSelected();
        if (selected != m_program.IsSelected(line)) {
            if (selected) {
                m_program.SelectLine(line);
            } else {
                m_program.DeselectLine(line);
            }
        }
    }
    m_syncing = false;
    emit Clicked();
}

}  // namespace vorlix
