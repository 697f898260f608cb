#include "TzkLanguage.h"

#include "IniFile.h"
#include "ReelkeepError.h"

namespace reelkeep {
namespace {

struct BuiltInText {
    const char* section;
    const char* key;
    const char* text;
};

// The built-in Russian texts, in table order.
constexpr BuiltInText kBuiltIn[] = {
        {"SBMessage", "Ready", "Готово"},
        {"SBMessage", "Records", "Записей:"},
        {"SBMessage", "TotalRecords", "Всего записей:"},
        {"SBMessage", "ListsCount", "Листов:"},
        {"SBMessage", "TotalRecordsAllLists", "Записей на всех листах:"},
        {"SBMessage", "CreateFilterItems", "Создание списка для фильтра"},
        {"SBMessage", "Sorting", "Сортировка"},
        {"SBMessage", "Loading", "Загрузка"},
        {"SBMessage", "Filtering", "Фильтрация"},
        {"SBMessage", "Saving", "Сохранение"},
        {"ListHints", "AutoFillNumber", "Автозаполнение"},
        {"ListHints", "ChooseFile", "Выбрать файл"},
        {"ListHints", "AppendFile", "Добавить"},
        {"ListHints", "TodayDate", "Сегодняшняя дата"},
        {"ListHints", "Add", "Добавить &запись"},
        {"ListHints", "AddFromFile", "Добавить из &файла"},
        {"ListHints", "AddFromDir", "Добавить из &папки"},
        {"ListHints", "Delete", "Удалить"},
        {"ListHints", "PrintCover", "Распечатать &конверт"},
        {"ListHints", "PrintList", "Распечатать с&писок"},
        {"ListHints", "AddList", "Добавить лист"},
        {"ListHints", "DeleteList", "Удалить лист"},
        {"ListHints", "FilmSearch", "Найти в интернете"},
        {"ListHints", "ComboSearch", "Быстрый поиск"},
        {"SysMessage", "FileExists", "Файл уже существует"},
        {"SysMessage", "FileNotExists", "Файл не существует"},
        {"SysMessage", "FileExistsRewrite", "Файл уже существует. Перезаписать?"},
        {"SysMessage", "UnknownExtLoadAsKDX", "Неизвестное расширение. Попробывать загрузить как *.kdx?"},
        {"SysMessage", "SaveFile", "Сохранить?"},
        {"SysMessage", "FileNotSave", "Файл не был сохранен. Сохранить?"},
        {"SysMessage", "ImposibleToDeletePage", "Невозможно удалить единственный список"},
        {"SysMessage", "ChooseDirectory", "Выберите папку"},
        {"SysMessage", "ReallyWantToDelete", "Вы действительно желаете удалить?"},
        {"Statistic", "Caption", "Статистика по"},
        {"Statistic", "CurrentList", "--По данному листу--"},
        {"Statistic", "BySelectedRecords", "--По выделенным записям--"},
        {"Statistic", "TotalSize", "Общий объем: "},
        {"Statistic", "AverageSize", "Средний объем: "},
        {"Statistic", "TotalLength", "Общая продолжительность: "},
        {"Statistic", "AverageLength", "Средняя продолжительность: "},
        {"Statistic", "TotalFilesCount", "Общее количество файлов: "},
        {"Statistic", "AverageFilesCount", "Среднее количество файлов: "},
        {"Duplicates", "MenuItem", "Найти д&убликаты..."},
        {"Duplicates", "Caption", "Поиск дубликатов"},
        {"Duplicates", "Rule", "&Искать по:"},
        {"Duplicates", "ByTitle", "названию"},
        {"Duplicates", "ByOriginal", "оригинальному названию"},
        {"Duplicates", "ByMedia", "размеру и длительности"},
        {"Duplicates", "Find", "&Найти"},
        {"Duplicates", "Delete", "&Удалить"},
        {"Duplicates", "Close", "&Закрыть"},
        {"Duplicates", "Catalogue", "Каталог"},
        {"Duplicates", "Sheet", "Лист"},
        {"Duplicates", "ID", "ID"},
        {"Duplicates", "Title", "Название"},
        {"Duplicates", "OrigTitle", "Оригинальное название"},
        {"Duplicates", "Year", "Год"},
        {"Duplicates", "Size", "Размер"},
        {"Duplicates", "Length", "Длительность"},
        {"Duplicates", "Discs", "Диски"},
        {"Duplicates", "Group", "Группа %1: записей %2"},
        {"Duplicates", "Found", "Найдено групп: %1"},
        {"Duplicates", "NoneFound", "Дубликатов не найдено"},
        {"Duplicates", "Gone", "Этой записи больше нет"},
        {"Charts", "PageFigures", "Итоги"},
        {"Charts", "PageCharts", "Диаграммы"},
        {"Charts", "Scope", "&Показать:"},
        {"Charts", "Sheet", "весь лист"},
        {"Charts", "Selection", "выделенные записи"},
        {"Charts", "FilmsPerYear", "Фильмы по годам"},
        {"Charts", "FilmsPerDecade", "Фильмы по десятилетиям"},
        {"Charts", "SizePerYear", "Общий объем по годам, МБ"},
        {"Charts", "SizePerDecade", "Общий объем по десятилетиям, МБ"},
        {"Charts", "FilmsPerGenre", "Фильмы по жанрам"},
        {"Charts", "LengthBands", "Длительность, мин"},
        {"Charts", "Other", "другие"},
        {"Charts", "SavePng", "Сохранить как &PNG..."},
        {"Charts", "SaveSvg", "Сохранить как &SVG..."},
        {"Charts", "SaveFailed", "Не удалось сохранить %1: %2"},
        {"MainMenu", "File", "&Файл"},
        {"MainMenu", "New", "&Новый"},
        {"MainMenu", "Open", "&Открыть"},
        {"MainMenu", "Save", "&Сохранить"},
        {"MainMenu", "SaveAs", "Сохранить к&ак..."},
        {"MainMenu", "Close", "&Закрыть"},
        {"MainMenu", "Export", "&Экспорт"},
        {"MainMenu", "Exit", "&Выход"},
        {"MainMenu", "Lists", "Спис&ки"},
        {"MainMenu", "Filter", "Ф&ильтр"},
        {"MainMenu", "Service", "С&ервис"},
        {"MainMenu", "CurrentCatalog", "&Список"},
        {"MainMenu", "ListInfo", "&Свойства списка"},
        {"MainMenu", "RemoveSpaceActors", "Убрать лишнее в &актерах"},
        {"MainMenu", "RemoveSpaceDirectors", "Убрать лишнее в &режиссерах"},
        {"MainMenu", "SortBy", "&Сортировать по..."},
        {"MainMenu", "AddFromList", "&Добавить из списка"},
        {"MainMenu", "ConvEdit", "Редактор конвертов (beta)"},
        {"MainMenu", "Settings", "Настройки"},
        {"MainMenu", "SaveColumnsWidth", "&Сохранить размеры столбцов"},
        {"MainMenu", "LoadColumnsWidth", "&Восстановить размеры столбцов"},
        {"MainMenu", "Options", "&Настройки программы"},
        {"MainMenu", "Information", "&Информация"},
        {"MainMenu", "Statistics", "&Статистика"},
        {"MainMenu", "About", "&О программе..."},
        {"MainMenu", "Copy", "&Копировать"},
        {"MainMenu", "Paste", "&Вставить"},
        {"MainMenu", "Cut", "Вы&резать"},
        {"PopupMenu", "AutoFill", "Подс&тановка"},
        {"PopupMenu", "ClearSelectedFields", "О&чистить полу у выделеных записей"},
        {"PopupMenu", "Undo", "&Отменить"},
        {"PopupMenu", "Delete", "&Удалить"},
        {"PopupMenu", "SelectAll", "Выделить вс&ё"},
        {"Other", "AllFiles", "Все"},
        {"Other", "PageDefName", "Фильмы"},
        {"Other", "Page", "Список"},
        {"Other", "Column", "Колонка "},
        {"Other", "ColumnsOptions", "Настройки колонок"},
        {"Other", "Cancel", "Отмена"},
        {"Other", "Name", "Название"},
        {"Other", "Width", "Ширина"},
        {"Other", "CustomStatusString", "Строка статуса"},
        {"Other", "Yes", "Да"},
        {"Other", "No", "Нет"},
        {"Other", "String", "Строка"},
        {"Other", "Number", "Число"},
        {"Other", "Date", "Дата"},
        {"Settings", "Associate", "Ассоциировать *.kdx с Reelkeep"},
        {"Settings", "FileNameParser", "Разбор имени файла"},
        {"Settings", "Print", "Печать"},
        {"Settings", "ColumnsNumbersToPrint", "Номера столбцов (список)"},
        {"Settings", "ColumnsWidthToPrint", "Ширина столбцов (список)"},
        {"Settings", "DefaultCoverFile", "Файл обложки по умолчанию"},
        {"Settings", "UseMDIPanel", "Панель списков"},
        {"Settings", "OriginalName", "Оригинальное название"},
        {"Settings", "NumberTotalNumbers", "Номер диска-всего дисков"},
        {"Settings", "Menu", "Меню"},
        {"Settings", "ShortCut", "Горячая клавиша"},
        {"Settings", "Column", "Колонка"},
        {"Settings", "Pattern", "Шаблон"},
        {"Settings", "Type", "Тип"},
        {"Settings", "Add", "Добавить"},
        {"Settings", "Remove", "Удалить"},
        {"Settings", "ListFile", "Файл списка"},
        {"Settings", "ListName", "Название"},
        {"Settings", "SiteName", "Название"},
        {"Settings", "SiteURL", "URL - %Name% - название фильма"},
        {"Settings", "SiteEncoding", "Кодировка адреса"},
        {"Settings", "PageMainSetting", "Основные настройки"},
        {"Settings", "PageLists", "Списки"},
        {"Settings", "PageSearch", "Поиск"},
        {"Settings", "PageAdditional", "Дополнительно"},
        {"Settings", "Language", "Язык"},
        {"ListInfo", "Autor", "Автор"},
        {"ListInfo", "Columns-Name", "Название"},
        {"ListInfo", "Columns-Type", "Тип"},
        {"ListInfo", "Columns-Pattern", "Шаблон"},
        {"ListInfo", "Columns-LogicalValue", "Логическое значение"},
        {"ListInfo", "Columns-NamesWithDot", "Имеются разделители"},
        {"ListInfo", "Columns-SecondNames", "Имеются вторые имена"},
        // Texts of the desktop program's shell.
        {"Shell", "Error", "Ошибка"},
        {"Shell", "LoadFailed", "Не удалось открыть «%1»: %2"},
        {"Shell", "NotCatalogue", "«%1» не является каталогом известного вида."},
        {"Shell", "SaveFailed", "Не удалось сохранить «%1»: %2"},
        {"Shell", "UnknownSaveExtension", "«%1»: каталог сохраняется только в файлы .kdx, .xkdx, .xls или .txt."},
        {"Shell", "LossySave", "Сохранение с потерями"},
        {"Shell", "SaveAnyway", "Сохранить всё равно"},
        {"Shell", "SettingsFailed", "Ошибка в настройках: %1"},
        {"Shell", "SettingsNotSaved", "Не удалось записать настройки: %1"},
        {"Shell", "Group", "Сгруппировать"},
        {"Shell", "Sheets", "Листы"},
        {"Shell", "SearchSite", "Сайт для поиска"},
        // Record commands: clipboard, add from list.
        {"Records", "NotRecordsText", "Текст не является списком записей: %1"},
        {"Records", "NoRecordsAdded", "Текст не содержит ни одной записи: ничего не добавлено."},
        {"Records", "NestedLeftOut", "Скопировано записей: %1; вложенных записей не скопировано: %2"},
        {"Records", "Copied", "Скопировано записей: %1"},
        {"Records", "Added", "Добавлено записей: %1"},
        {"Records", "Colour", "Цвет"},
        {"Records", "AddImage", "Добавить изображение"},
        {"Records", "RemoveImage", "Удалить показанное изображение"},
        {"Records", "PreviousImage", "Предыдущее изображение"},
        {"Records", "NextImage", "Следующее изображение"},
        {"Records", "NotImage", "Изображение не распознано"},
        {"Records", "NotImageFile", "«%1» не является изображением."},
        {"Records", "ImageFiles", "Изображения"},
        // The row colours offered by the record panel.
        {"Colours", "Black", "Чёрный"},
        {"Colours", "Maroon", "Бордовый"},
        {"Colours", "Green", "Зелёный"},
        {"Colours", "Olive", "Оливковый"},
        {"Colours", "Navy", "Тёмно-синий"},
        {"Colours", "Purple", "Фиолетовый"},
        {"Colours", "Teal", "Сине-зелёный"},
        {"Colours", "Gray", "Серый"},
        {"Colours", "Silver", "Серебристый"},
        {"Colours", "Red", "Красный"},
        {"Colours", "Lime", "Салатовый"},
        {"Colours", "Yellow", "Жёлтый"},
        {"Colours", "Blue", "Синий"},
        {"Colours", "Fuchsia", "Пурпурный"},
        {"Colours", "Aqua", "Голубой"},
        {"Colours", "White", "Белый"},
        {"Colours", "MoneyGreen", "Светло-зелёный"},
        {"Colours", "SkyBlue", "Небесно-голубой"},
        {"Colours", "Cream", "Кремовый"},
        {"Colours", "MedGray", "Светло-серый"},
        // Records from video files and folders.
        {"FileEntry", "WalkCaption", "Добавление из папки"},
        {"FileEntry", "FilesCaption", "Добавление из файлов"},
        {"FileEntry", "Searching", "Поиск видеофайлов…"},
        {"FileEntry", "FilesDone", "Обработано файлов: %1 из %2"},
        {"FileEntry", "Skipped", "Не добавлено (%1):"},
        {"FileEntry", "LengthsUnread", "Продолжительность не прочитана, записи добавлены с продолжительностью 0 (%1):"},
        {"FileEntry", "LengthUnread", "Не удалось прочитать продолжительность файла «%1»: она принята равной 0."},
        {"FileEntry", "More", "…и ещё %1"},
        {"FileEntry", "Stopping", "Добавление останавливается…"},
        // Window bar menu, About box and file association.
        {"WindowBar", "Cascade", "Каскадом"},
        {"WindowBar", "TileHorizontally", "Встык горизонтально"},
        {"WindowBar", "TileVertically", "Встык вертикально"},
        {"WindowBar", "ArrangeIcons", "Упорядочить значки"},
        {"WindowBar", "MinimizeAll", "Минимизировать все"},
        {"WindowBar", "CloseAll", "Закрыть все"},
        {"WindowBar", "Activate", "Активизировать"},
        {"WindowBar", "Restore", "Восстановить"},
        {"WindowBar", "Minimize", "Минимизировать"},
        {"WindowBar", "Maximize", "Максимизировать"},
        {"WindowBar", "ClientSize", "Клиентский размер"},
        {"WindowBar", "ClientSizeAll", "Клиентский размер у всех"},
        {"WindowBar", "CloseWindow", "Закрыть окно"},
        {"About", "Caption", "О программе"},
        {"About", "Description", "Каталог фильмов и видеофайлов: списки на нескольких листах, записи из файлов и папок, фильтры и быстрый поиск, группы записей, печать конвертов и списков, экспорт через модули."},
        {"About", "Warranty", "Программа распространяется бесплатно и без каких-либо гарантий."},
        {"About", "Close", "Закрыть"},
        {"Association", "Done", "Файлы *.kdx и *.xkdx связаны с Reelkeep."},
        {"Association", "Failed", "Не удалось связать файлы с Reelkeep."},
        {"Association", "MimePackage", "Запись описания типов файлов"},
        {"Association", "MimeDatabase", "Обновление базы типов файлов"},
        {"Association", "DesktopEntry", "Запись ярлыка программы"},
        {"Association", "DefaultApplication", "Назначение программы по умолчанию"},
        // Printing: status, print preview and its notices.
        {"Printing", "Status", "Печать"},
        {"Printing", "Preview", "Предварительный просмотр"},
        {"Printing", "Print", "Печать..."},
        {"Printing", "FirstPage", "Первая страница"},
        {"Printing", "PreviousPage", "Предыдущая страница"},
        {"Printing", "NextPage", "Следующая страница"},
        {"Printing", "LastPage", "Последняя страница"},
        {"Printing", "PageOf", "Страница %1 из %2"},
        {"Printing", "ZoomIn", "Увеличить"},
        {"Printing", "ZoomOut", "Уменьшить"},
        {"Printing", "FitWidth", "По ширине"},
        {"Printing", "FitPage", "Страница целиком"},
        {"Printing", "Portrait", "Книжная"},
        {"Printing", "Landscape", "Альбомная"},
        {"Printing", "SinglePage", "Одна страница"},
        {"Printing", "FacingPages", "Разворот"},
        {"Printing", "AllPages", "Все страницы"},
        {"Printing", "CoverLayout", "Макет конверта:"},
        {"Printing", "OutlineOnly", "Только контур"},
        {"Printing", "LayoutUnusable", "Макет конверта «%1» не удалось прочитать (%2). Выберите другой макет."},
        {"Printing", "ShownInLandscape", "Конверт шире книжной страницы, поэтому показан на альбомной."},
        {"Printing", "TurnPage", "Конверт не помещается на странице в этой ориентации и будет обрезан; в другой ориентации он помещается."},
        {"Printing", "DoesNotFit", "Конверт не помещается на странице ни в книжной, ни в альбомной ориентации: его края будут обрезаны."},
        {"Printing", "NoDiscs", "Печатать нечего: у записи нет дисков."},
        {"Printing", "NoPrinter", "Нет ни одного принтера."},
        {"Printing", "PrintFailed", "Не удалось напечатать: %1"},
        {"Printing", "PagesDrawn", "Подготовлено страниц: %1"},
        {"Printing", "Cancelled", "Печать прервана."},
        // Options dialog, export and web search.
        {"Options", "BadPrintColumns", "Номера и ширины столбцов для печати — целые числа через запятую, а не «%1»."},
        {"Options", "SharedShortcut", "Одна клавиша назначена нескольким командам: %1. Сохранить всё равно?"},
        {"Options", "SettingsReadOnly", "файл «%1» недоступен для записи"},
        {"Options", "LanguageFailed", "Не удалось загрузить язык «%1»: %2"},
        {"Export", "CannotCall", "Модуль экспорта «%1» не удаётся вызвать."},
        {"Export", "WroteNothing", "Модуль экспорта ничего не записал в «%1»."},
        {"Export", "Failed", "Экспорт не удался: %1"},
        {"WebSearch", "NotWebAddress", "«%1» не является адресом http или https."},
        {"WebSearch", "OpenFailed", "Не удалось открыть «%1» в браузере."},
        {"WebSearch", "NotInEncoding", "Название «%1» нельзя передать сайту в кодировке %2. Отправить его в UTF-8?"},
        // Filter windows, quick search and statistics.
        {"Filter", "ModeHint", "Фильтрация/Поиск"},
        {"Filter", "ExpandHint", "Развернуть/Свернуть"},
        {"Filter", "AddHint", "Добавить значение в список"},
        {"Shell", "SearchColumn", "Колонка для поиска"},
        {"Statistic", "Ok", "OK"},
        // The question before a save that would lose something, and its places.
        {"LossReport", "Lossy", "При сохранении «%1» в формате %2 будет потеряно:"},
        {"LossReport", "Refused", "«%1» нельзя сохранить в формате %2:"},
        {"LossReport", "Line", "— %1; %2."},
        {"LossReport", "FormKdx13", ".kdx версии 1.3"},
        {"LossReport", "FormKdx20", ".kdx версии 2.0"},
        {"LossReport", "FormKdx21", ".kdx версии 2.1"},
        {"LossReport", "FormXml", ".xkdx (XML)"},
        {"LossReport", "FormXls", "книга .xls"},
        {"LossReport", "FormTextListing", "список .txt"},
        {"LossReport", "FormTextForm", "текст каталога для экспорта и буфера обмена"},
        {"LossReport", "Images", "изображения: %1 (первое — %2)"},
        {"LossReport", "NestedRecords", "вложенные записи: %1 (первая — %2)"},
        {"LossReport", "Characters", "символы вне кодовой страницы %3, которые станут «?»: %1 (первый — %2)"},
        {"LossReport", "Author", "автор каталога"},
        {"LossReport", "ColumnSettings", "тип, шаблон или параметры колонок: %1 (первая — %2)"},
        {"LossReport", "LongTexts", "тексты длиннее, чем вмещает ячейка .xls (%3 символов, %4, если все они из Latin-1): %1 (первый — %2)"},
        {"LossReport", "TooManyRecords", "списки, в которых больше записей, чем вмещает лист .xls (%3): %1 (первый — %2)"},
        {"LossReport", "BadCharactersXml", "управляющие символы, которые XML не может хранить: %1 (первый — %2)"},
        {"LossReport", "BadCharactersText", "символы NUL, которые нельзя передать текстом: %1 (первый — %2)"},
        {"LossReport", "ImagesKept", "их сохраняет .kdx версии 2.0 (но без вложенных записей)"},
        {"LossReport", "NestedRecordsKept", "их сохраняют .kdx версии 2.1, .xkdx и .xls"},
        {"LossReport", "CharactersKept", "их сохраняют .xkdx и .xls"},
        {"LossReport", "AuthorKept", "его сохраняют .kdx версий 2.0 и 2.1 и .xkdx"},
        {"LossReport", "ColumnSettingsKept", "их сохраняют .kdx версий 2.0 и 2.1 и .xkdx"},
        {"LossReport", "LongTextsKept", "их сохраняют .kdx и .xkdx"},
        {"LossReport", "TooManyRecordsKept", "их сохраняют .kdx и .xkdx"},
        {"LossReport", "BadCharactersKept", "их сохраняют .kdx и .xls"},
        {"LossReport", "PlaceAuthor", "автор каталога"},
        {"LossReport", "PlaceList", "список «%1»"},
        {"LossReport", "PlaceListName", "название списка «%1»"},
        {"LossReport", "PlaceColumn", "список «%1», колонка %2 «%3»"},
        {"LossReport", "PlaceColumnName", "список «%1», название колонки %2 «%3»"},
        {"LossReport", "PlaceColumnPattern", "список «%1», шаблон колонки %2 «%3»"},
        {"LossReport", "PlaceColumnLogicalValue", "список «%1», логическое значение колонки %2 «%3»"},
        {"LossReport", "PlaceRecord", "список «%1», запись %2 «%3»"},
        {"LossReport", "PlaceRecordUntitled", "список «%1», запись %2"},
        {"LossReport", "PlaceCell", "список «%1», запись %2 «%3», колонка %4 «%5»"},
        {"LossReport", "PlaceCellUntitled", "список «%1», запись %2, колонка %3 «%4»"},
        {"LossReport", "Character", "«%1» (%2), %3"},
        {"LossReport", "CharacterCode", "%1, %2"},
};

static_assert(std::size(kBuiltIn) == 319);

} // namespace

QString WithoutMnemonic(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

TzkLanguage::TzkLanguage()
{
    Entries.reserve(std::size(kBuiltIn));
    for (const BuiltInText& entry : kBuiltIn)
        AddEntry(QString::fromUtf8(entry.section), QString::fromUtf8(entry.key), QString::fromUtf8(entry.text));
}

void TzkLanguage::AddEntry(const QString& section, const QString& key, const QString& text)
{
    Entries.push_back({section, key, text});
    Count = static_cast<std::int32_t>(Entries.size());
}

const QString& TzkLanguage::GetValue(const QString& section, const QString& key) const
{
    for (const LanguageEntry& entry : Entries)
        if (entry.Section == section && entry.Key == key)
            return entry.Text;
    throw ReelkeepError(QStringLiteral("Constant in translating module not found"));
}

void TzkLanguage::LoadFromFile(const QString& path)
{
    const IniFile file(path);
    for (LanguageEntry& entry : Entries)
        entry.Text = file.ReadString(entry.Section, entry.Key, entry.Text);
    WriteBack(path);
}

void TzkLanguage::WriteBack(const QString& path) const
{
    IniFile file(path);
    file.Update([&] {
        for (const LanguageEntry& entry : Entries)
            file.WriteString(entry.Section, entry.Key, entry.Text);
    });
}

} // namespace reelkeep
