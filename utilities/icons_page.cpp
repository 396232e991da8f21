#include "utilities/icons_page.h"

#include <QHeaderView>
#include <QTableWidget>

namespace vask {

IconsPage::IconsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Icons"));

    KV_UT_Icon_Grid = new QTableWidget(kRows, kColumns, this);
    KV_UT_Icon_Grid->setObjectName(QStringLiteral("KV_UT_Icon_Grid"));
    KV_UT_Icon_Grid->setToolTip(
        QStringLiteral("Use File Open 'Icon Extractor' or  Right Mouse Click to Save Selected Icon"));
    // No fixed rows or columns: the headers stay hidden.
    KV_UT_Icon_Grid->horizontalHeader()->hide();
    KV_UT_Icon_Grid->verticalHeader()->hide();
    KV_UT_Icon_Grid->horizontalHeader()->setMinimumSectionSize(8);
    KV_UT_Icon_Grid->verticalHeader()->setMinimumSectionSize(8);
    KV_UT_Icon_Grid->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    KV_UT_Icon_Grid->verticalHeader()->setDefaultSectionSize(kCellHeight);
    for (int column = 0; column < kColumns; ++column)
        KV_UT_Icon_Grid->setColumnWidth(column, kCellWidth);
    for (int row = 0; row < kRows; ++row)
        KV_UT_Icon_Grid->setRowHeight(row, kCellHeight);
    KV_UT_Icon_Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    KV_UT_Icon_Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KV_UT_Icon_Grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette colours = KV_UT_Icon_Grid->palette();
    colours.setColor(QPalette::Base, QColor(0, 255, 255));
    KV_UT_Icon_Grid->setPalette(colours);
    KV_UT_Icon_Grid->setGeometry(4, 4, 552, 230);
}

} // namespace vask
