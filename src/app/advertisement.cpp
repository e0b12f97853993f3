#include "app/advertisement.h"

#include "app/program.h"
#include "runtime/cp1251.h"
#include "runtime/data.h"
#include "runtime/random.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/kept_file.h"
#include "widgets/layer/platform.h"

#ifndef QO_ADV_BASE
#define QO_ADV_BASE ""
#endif

namespace lotto {
namespace {

std::uint32_t PlatformTimeOfDay() {
    return static_cast<std::uint32_t>(qo::UtcTimeOfDayMs());
}

std::string Trimmed(std::string s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(s[start]))
        ++start;
    s.erase(0, start);
    // The page path begins with its own "/".
    while (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

} // namespace

void SeedRandomFromClock() {
    // Through the platform, so that tests running on a scripted clock get repeatable tickets.
    qo::SetTimeOfDayHook(&PlatformTimeOfDay);
    qo::Randomize();
}

std::string AdvertisementSite() {
    const std::string folder = qo::SettingsFolder();
    if (!folder.empty()) {
        const std::string site = Trimmed(qo::Cp1251ToUtf8(
            qo::IniFile(folder + "Параметры.ini").readString(qo::Cp1251("Реклама"), qo::Cp1251("Сайт"), {})));
        if (!site.empty()) return site;
    }
    return Trimmed(QO_ADV_BASE);
}

std::string AdvertisementUrl(std::int32_t page) {
    const std::string site = AdvertisementSite();
    return site.empty() ? std::string() : site + "/adv/adv-" + qo::IntegerToText(page) + ".html";
}

void OpenAdvertisement(std::int32_t page, bool ownPage) {
    if (const std::string url = AdvertisementUrl(page); !url.empty()) return qo::OpenUrl(url);
    if (!ownPage) return;
    // Written anew each time, so it always names the version that shows it.
    const std::string path = OwnPagePath();
    if (!path.empty() && qo::WriteKeptFile(path, OwnPage(), {}, nullptr)) qo::OpenUrl(FileUrl(path));
}

std::string OwnPagePath() {
    const std::string folder = qo::DataFolder();
    return folder.empty() ? std::string() : folder + "Фишкодром.html";
}

std::string FileUrl(const std::string& pathUtf8) {
    std::string url = "file://";
    // A Windows path ("C:\…") becomes "file:///C:/…".
    if (!pathUtf8.empty() && pathUtf8[0] != '/') url += '/';
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : pathUtf8) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
        if (plain)
            url += ch;
        else if (c == '\\')
            url += '/';
        else
            url += {'%', kHex[c >> 4], kHex[c & 0xF]};
    }
    return url;
}

std::string OwnPage() {
    return std::string(R"(<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<title>Фишкодром</title>
<style>
body { font-family: sans-serif; max-width: 44em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
th, td { text-align: left; vertical-align: top; padding: 0.2em 0.8em 0.2em 0; }
</style>
</head>
<body>
<h1>Фишкодром</h1>
<p>Версия )") +
           ProgramVersion() + R"(</p>
<p>Фишкодром — помощник в игре в лото на 90 бочонков. Он держит сколько угодно билетов (две
карточки по три ряда, пять чисел в ряду), отмечает на всех билетах каждое названное число:
ячейка краснеет, собранный ряд зеленеет, карточка желтеет, весь билет становится голубым,
и каждый шаг звучит по-своему. В окне «Игра» программа сама тянет бочонки от 1 до 90
и считает ходы реальной игры.</p>
<h2>Что где</h2>
<ul>
<li>«Билеты → Новый» добавляет билет; числа вписываются в ячейки, вводятся по одному через его поле
«Заполнение» или заполняются случайно.</li>
<li>Число, названное в игре, набирается в поле вверху окна и подтверждается клавишей Enter.</li>
<li>«Игра» открывает окно виртуальной и реальной игры.</li>
<li>«Сервис» — ход игры, возврат прошлой игры, подсказки, печать билетов и голос ведущего.</li>
<li>Билет сохраняется в файл и открывается из файла его кнопками «Сохранить...» и «Открыть...».</li>
</ul>
<h2>Клавиши</h2>
<table>
<tr><th>Где</th><th>Клавиши</th><th>Что делают</th></tr>
<tr><td>поле числа</td><td>цифры, Enter</td><td>число отмечается на всех билетах и записывается ходом</td></tr>
<tr><td>поле числа, пустое</td><td>Ctrl+Z</td><td>отменяет последний ход</td></tr>
<tr><td>поле числа</td><td>Ctrl+V</td><td>список из двух и более чисел вводится по очереди</td></tr>
<tr><td>поле «Заполнение» билета</td><td>цифры, Enter</td><td>число встаёт на следующее свободное место билета</td></tr>
<tr><td>главное окно</td><td>Tab, Shift+Tab</td><td>переход между полями и кнопками</td></tr>
<tr><td>главное окно</td><td>Alt+Б, Alt+С</td><td>меню «Билеты» и «Сервис»</td></tr>
<tr><td>список «Реальная игра»</td><td>стрелки, Delete</td><td>выбрать ход и отменить его</td></tr>
<tr><td>окно «Ход игры»</td><td>Alt+О</td><td>отменить последний ход</td></tr>
</table>
</body>
</html>
)";
}

} // namespace lotto
