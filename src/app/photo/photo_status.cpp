// What the player is told of a picture, apart from the reading itself: the window says it even when
// the reading's library is not there.
#include "app/photo/photo_reader.h"

namespace lotto::photo {

std::string Describe(PhotoStatus status) {
    switch (status) {
    case PhotoStatus::Read:
        return "Билеты прочитаны.";
    case PhotoStatus::NoCards:
        return "На снимке не найдено ни одной карточки билета.";
    case PhotoStatus::NotAPicture:
        return "Файл не читается как снимок: он пуст, обрезан или в неизвестном формате.";
    case PhotoStatus::TooLarge:
        return "Снимок слишком велик: больше 50 мегапикселей.";
    case PhotoStatus::NoReader:
        return "Чтение снимков не установлено: нет его библиотеки libfishkodrom-photo.so.";
    }
    return {};
}

} // namespace lotto::photo
