// A player carries ticket files and the settings file between a Windows and a Linux machine: one game
// leaves the same bytes on both. This binary runs on both, against the same bytes.
#include <gtest/gtest.h>

#include "runtime/cp1251.h"
#include "support/ui_driver.h"

namespace qotest {
namespace {

TEST(FilesAcrossSystems, OneGameLeavesTheSameTicketAndSettingsBytes) {
    UiDriver ui;
    ui.newTickets(2);
    for (const char* n : {"5", "17", "38", "61", "90", "3", "24"})
        ui.typeIntoEntry(0, QString::fromLatin1(n));
    ui.typeIntoCell(1, 0, QStringLiteral("9"));
    ui.typeNotes(0, QStringLiteral("Билет №1\nу окна, ряд «Б»"));
    ui.typeNumber(QStringLiteral("17"));
    ui.typeNumber(QStringLiteral("38"));
    const std::string first = ui.programFolder() + "первый.tkt", second = ui.programFolder() + "второй.tkt";
    ui.saveTicket(0, first);
    ui.saveTicket(1, second);
    ui.close();

    EXPECT_EQ(readFile(first), qo::Cp1251("5;17;38;61;90;3;24;\r\nБилет №1\r\nу окна, ряд «Б»\r\n"));
    EXPECT_EQ(readFile(second), "9;\r\n\r\n");
    EXPECT_EQ(ui.settingsFile(),
              qo::Cp1251("[Форма]\r\nLeft=20\r\nTop=105\r\nHeight=300\r\nWidth=547\r\nWS=0\r\n"));
}

} // namespace
} // namespace qotest
