// The toolkit's own windows as the program shows them: question boxes in the system's language,
// file dialogs that name their filters as the program does and show every file under "*.*", and a
// form without a sizing frame that the window manager is told not to resize.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/toolkit_session.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

using qo::Control;

namespace {

// Runs `inspect` on the modal window the next call opens, once it is up; `inspect` closes it.
template <class W> void WhenModalOpens(std::function<void(W&)> inspect) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(*w);
        }
    });
    poll->start(10);
}

TEST(ToolkitWindows, QuestionBoxesSpeakTheSystemsLanguage) {
    const qo::ToolkitSession russian(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_TRUE(russian.translated())
        << "the toolkit's translations are not installed (qt6-translations-l10n)";
    QStringList buttons;
    WhenModalOpens<QMessageBox>([&](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons())
            buttons << b->text().remove(QLatin1Char('&'));
        box.button(QMessageBox::No)->click();
    });
    const int answer = qo::ShowMessageBox(nullptr, qo::FromQString(QStringLiteral("Удалить?")),
                                          qo::FromQString(QStringLiteral("Подтверждение")),
                                          qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2);
    EXPECT_EQ(answer, qo::IDNO);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
}

TEST(ToolkitWindows, FileDialogNamesFiltersAsGivenAndAllFilesMeansAll) {
    QTemporaryDir dir;
    for (const char* name : {"a.tkt", "b.txt", "без точки"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList names;
    QStringList allFiles;
    WhenModalOpens<QFileDialog>([&](QFileDialog& fd) {
        if (auto* combo = fd.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < combo->count(); ++i)
                names << combo->itemText(i);
        }
        fd.selectNameFilter(fd.nameFilters().last());
        auto* list = fd.findChild<QListView*>(QStringLiteral("listView"));
        qotest::waitUntil([&] { return list && list->model()->rowCount(list->rootIndex()) >= 3; });
        for (int r = 0; list && r < list->model()->rowCount(list->rootIndex()); ++r)
            allFiles << list->model()->index(r, 0, list->rootIndex()).data().toString();
        fd.reject();
    });
    qo::FileDialog dialog;
    dialog.title = qo::FromQString(QStringLiteral("Открытие"));
    dialog.filter = qo::FromQString(QStringLiteral("Файлы билетов(*.tkt)|*.tkt|Текст|*.txt|Все файлы|*.*"));
    dialog.initialDir = dir.path().toStdString();
    EXPECT_FALSE(dialog.execute());
    EXPECT_EQ(names, (QStringList{QStringLiteral("Файлы билетов(*.tkt)"), QStringLiteral("Текст"),
                                  QStringLiteral("Все файлы")}));
    allFiles.sort();
    EXPECT_EQ(allFiles,
              (QStringList{QStringLiteral("a.tkt"), QStringLiteral("b.txt"), QStringLiteral("без точки")}));
}

// A name typed without an extension is saved with the chosen filter's; one that has an extension,
// or "Все файлы" chosen, is saved as typed.
struct SaveCase {
    const char* name;
    const char* typed;
    int filter;
    const char* saved;
};
void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SavedName : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SavedName, GetsTheChosenFiltersExtensionWhenTypedWithoutOne) {
    QTemporaryDir dir;
    WhenModalOpens<QFileDialog>([&](QFileDialog& fd) {
        fd.selectNameFilter(fd.nameFilters().at(GetParam().filter));
        // Typed, and confirmed with Enter, as the player does.
        auto* name = fd.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name) return fd.reject();
        name->setText(QString::fromUtf8(GetParam().typed));
        QTest::keyClick(name, Qt::Key_Return);
    });
    qo::FileDialog dialog;
    dialog.save = true;
    dialog.title = qo::FromQString(QStringLiteral("Сохранение"));
    dialog.filter = qo::FromQString(QStringLiteral("Файлы билетов(*.tkt)|*.tkt|Текст|*.txt|Все файлы|*.*"));
    dialog.initialDir = dir.path().toStdString();
    ASSERT_TRUE(dialog.execute());
    EXPECT_EQ(QFileInfo(QString::fromStdString(dialog.fileName)).fileName(),
              QString::fromUtf8(GetParam().saved));
}

INSTANTIATE_TEST_SUITE_P(Names, SavedName,
                         ::testing::Values(SaveCase{"Tickets", "билет3", 0, "билет3.tkt"},
                                           SaveCase{"Text", "билет3", 1, "билет3.txt"},
                                           SaveCase{"AllFiles", "билет3", 2, "билет3"},
                                           SaveCase{"OwnExtension", "билет3.dat", 0, "билет3.dat"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToolkitWindows, AFormWithoutASizingFrameKeepsItsSize) {
    auto* form = qo::FormControl::Create(nullptr);
    form->setStyle(qo::WS_CAPTION); // a caption bar and nothing to size by
    form->setBounds(35, 105, 255, 295);
    ASSERT_TRUE(qotest::showForm(*form));
    QWidget* w = form->widget();
    EXPECT_EQ(w->minimumSize(), w->size());
    EXPECT_EQ(w->maximumSize(), w->size());
    form->setSize(300, 320);
    EXPECT_EQ(w->minimumSize(), w->size());
    EXPECT_EQ(form->width(), 300);

    form->setStyle(qo::WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(w->minimumSize(), QSize(0, 0));
    EXPECT_EQ(w->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    form->destroy();
}

} // namespace
