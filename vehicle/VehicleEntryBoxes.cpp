#include "VehicleEntryBoxes.h"

#include "PlacedControls.h"
#include "Twips.h"

#include <QLineEdit>

namespace {

struct Row
{
    const char* label;
    QString caption;
    QRect labelTwips;
    const char* box;
    QString example;
    QRect boxTwips;
    bool captionWraps = false;
};

QList<Row> rows()
{
    return {
        {"Label1",
         QStringLiteral("名称"),
         {120, 120, 375, 255},
         "Text1",
         QStringLiteral("CB50S(半角16字全角8字まで)"),
         {600, 120, 2775, 270}},
        {"Label2",
         QStringLiteral("使用開始年月日"),
         {120, 480, 1455, 375},
         "Text2",
         QStringLiteral("2002/5/6(この形式で)"),
         {1680, 480, 1695, 270}},
        {"Label3",
         QStringLiteral("使用開始時メーター距離"),
         {120, 960, 1935, 255},
         "Text3",
         QStringLiteral("0"),
         {2160, 960, 1215, 270}},
        {"Label4",
         QStringLiteral("標識番号"),
         {120, 1320, 735, 255},
         "Text4",
         QStringLiteral("和歌山　あ 1111(半角16字全角8字まで)"),
         {960, 1320, 2415, 270}},
        {"Label5",
         QStringLiteral("車台番号"),
         {120, 1680, 855, 255},
         "Text5",
         QStringLiteral("312432ABC(半角20字以内)"),
         {1080, 1680, 2295, 270}},
        {"Label6",
         QStringLiteral("自賠責保険有効期限"),
         {120, 2040, 1695, 255},
         "Text6",
         QStringLiteral("2003/5/6(この形式で)"),
         {1920, 2040, 1455, 270}},
        // Drawn 495 twips high over the top of Text7; it ends where Text7 begins, so that its
        // second line pushes the box down instead of hiding behind it.
        {"Label7",
         QStringLiteral("オイルの残り走行可能距離(だいたいでいいです)"),
         {120, 2400, 3255, 360},
         "Text7",
         QStringLiteral("1000"),
         {120, 2760, 2655, 270},
         true},
    };
}

} // namespace

VehicleEntryBoxes::VehicleEntryBoxes(QWidget* window)
{
    const QList<Row> all = rows();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Row& row = all.at(i);
        PlacedControls::label(window, row.label, row.caption, row.labelTwips, row.captionWraps);
        auto* box = new QLineEdit(row.example, window);
        box->setObjectName(QLatin1String(row.box));
        Twips::place(box, row.boxTwips.x(), row.boxTwips.y(), row.boxTwips.width(),
                     row.boxTwips.height());
        m_boxes[static_cast<std::size_t>(i)] = box;
        if (i > 0)
            QWidget::setTabOrder(m_boxes[static_cast<std::size_t>(i - 1)], box);
    }
}

VehicleBoxes VehicleEntryBoxes::texts() const
{
    return VehicleBoxes{m_boxes[0]->text(), m_boxes[1]->text(), m_boxes[2]->text(),
                        m_boxes[3]->text(), m_boxes[4]->text(), m_boxes[5]->text(),
                        m_boxes[6]->text()};
}
