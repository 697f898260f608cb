// The lossy-save and refused-save texts as worded from the built-in Russian table.
#include "LossMessage.h"
#include "TzkLanguage.h"
#include "TzkReelkeep.h"

#include <QTest>

using namespace reelkeep;

class LossMessageTest : public QObject {
    Q_OBJECT

private slots:
    void wordsEachLossFromTheTableAndShowsDataAsTyped()
    {
        const TzkLanguage russian;
        const TextLookup text = [&](const QString& section, const QString& key) { return russian.GetValue(section, key); };
        TzkReelkeep doc;
        doc.SetAutor(QStringLiteral("Автор"));
        TZKList* list = doc.AddList(0, QStringLiteral("Фильмы %2"));
        list->SetColumnName(3, QStringLiteral("Размер %1"));
        TzkRow* untitled = list->AddRow();
        untitled->Fields[3] = QStringLiteral("a\x01");
        list->Images.AddImage("JPEG", untitled->ID);
        const QString id = QString::number(untitled->ID);

        // XML cannot take the control character: only that is named, at a record
        // without a title, by its code; the placeholders in the names stay as typed.
        QCOMPARE(LossMessage(FindLoss(doc.Lists(), CatalogueForm::Xml), QStringLiteral("c.xkdx"), text),
                 QStringLiteral("«c.xkdx» нельзя сохранить как .xkdx (XML):\n"
                                "— 1 управляющий символ, который XML не может хранить (первый — U+0001, список «Фильмы %2», "
                                "запись ")
                     + id + QStringLiteral(", колонка 3 «Размер %1»); их сохраняют .kdx и .xls."));

        // Text version 1.3 loses the images, the author and the control character is
        // not lost; the author is named without a count or place.
        QCOMPARE(LossMessage(FindLoss(doc.Lists(), CatalogueForm::Kdx13), QStringLiteral("c.kdx"), text),
                 QStringLiteral("Если сохранить «c.kdx» как .kdx версии 1.3, будет потеряно:\n"
                                "— 1 изображение (первое — список «Фильмы %2», запись ")
                     + id
                     + QStringLiteral("); их сохраняет .xkdx — единственный формат без потерь: изображения, вложенные записи "
                                      "и любые символы; .kdx версии 2.0 тоже хранит изображения (но без вложенных записей).\n"
                                      "— автор каталога; его сохраняют .xkdx и .kdx версий 2.0 и 2.1."));

        // The count agrees with its noun.
        for (int k = 0; k < 4; ++k)
            list->Images.AddImage("JPEG", untitled->ID);
        const QString five = LossMessage(FindLoss(doc.Lists(), CatalogueForm::Kdx13), QStringLiteral("c.kdx"), text);
        QVERIFY2(five.contains(QStringLiteral("\n— 5 изображений (первое — ")), qPrintable(five));
    }
};

QTEST_MAIN(LossMessageTest)
#include "LossMessageTest.moc"
