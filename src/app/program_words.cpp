#include "app/program_words.h"

#include "widgets/layer/platform.h"

namespace lotto {

qo::Words ProgramWords() {
    qo::Words w;
    w.faultCaption = "Фишкодром";
    w.faultBefore = "Сбой при обработке события: ";
    w.faultAfter = "Действие не завершено, программа продолжает работу.";
    w.outOfMemory = "не хватило памяти";
    w.unknownFault = "неизвестная ошибка";
    auto say = [&w](qo::Doing d, const char* words) { w.doing[static_cast<std::size_t>(d)] = words; };
    say(qo::Doing::Click, "щелчок мыши");
    say(qo::Doing::WheelScroll, "прокрутка колесом мыши");
    say(qo::Doing::KeyPress, "нажатие клавиши");
    say(qo::Doing::Typing, "ввод текста");
    say(qo::Doing::Closing, "закрытие окна");
    say(qo::Doing::ButtonPress, "нажатие кнопки");
    say(qo::Doing::ContextMenu, "контекстное меню");
    say(qo::Doing::Scrolling, "прокрутка");
    say(qo::Doing::MenuCommand, "команда меню");
    say(qo::Doing::MouseMove, "движение мыши");
    say(qo::Doing::Painting, "отрисовка окна");
    say(qo::Doing::MovingOrSizing, "перемещение или изменение размера окна");
    say(qo::Doing::ShowingOrHiding, "показ или скрытие окна");
    say(qo::Doing::Activation, "смена активного окна");
    say(qo::Doing::WindowEvent, "событие окна");
    say(qo::Doing::MenuHighlight, "выбор пункта меню");
    say(qo::Doing::Timer, "таймер");
    say(qo::Doing::PostedMessage, "отложенное сообщение окну");
    say(qo::Doing::FileWrite, "запись файла");
    say(qo::Doing::MakingWindows, "создание окон");

    w.speechNowhere = "Здесь программа не умеет говорить.";
    w.speechBuiltWithout = "Программа собрана без синтезатора речи.";
    if (qo::SystemSpeech() == qo::SpeechSystem::Windows) {
        w.speechNoEngine = "Синтезатор речи Windows не установлен.";
        w.speechNotAnswering = "Синтезатор речи Windows не отвечает.";
        w.speechNotAnsweringBecause = "Синтезатор речи Windows не отвечает: ";
        w.speechNoRussianVoice =
            "Нет русского голоса: его добавляют в параметрах Windows, «Время и язык» → «Речь».";
    } else {
        w.speechNoEngine = "Синтезатор речи не установлен: нужны speech-dispatcher и espeak-ng.";
        w.speechNotAnswering = "Синтезатор речи не отвечает.";
        w.speechNotAnsweringBecause = "Синтезатор речи не отвечает: ";
        w.speechNoRussianVoice = "Нет русского голоса: нужен espeak-ng с русским языком.";
        w.speechNoAudioModule =
            "Звук и речь программы не установлены: нет её библиотеки libfishkodrom-audio.so.";
    }
    return w;
}

} // namespace lotto
