// Draws the tile and operation-bar icons of the module into a folder (module/res).
// Run by hand when an icon changes: build the target kq_make_icons, then
//   QT_QPA_PLATFORM=offscreen build/bin/kq_make_icons module/res
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A rounded tile in a soft gradient with one white character: the main page's function icons.
QImage tileIcon(const QString& glyph, const QColor& color)
{
    QImage image = canvas(96);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient gradient(0, 0, 96, 96);
    gradient.setColorAt(0, color.lighter(118));
    gradient.setColorAt(1, color);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(4, 4, 88, 88), 24, 24);
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawEllipse(QPointF(74, 20), 26, 26);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(44);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 2, 88, 88), Qt::AlignCenter, glyph);
    return image;
}

QImage addIcon()
{
    QImage image = canvas(96);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(170, 180, 195), 3, Qt::DashLine);
    p.setPen(pen);
    p.setBrush(QColor(246, 248, 251));
    p.drawRoundedRect(QRectF(5.5, 5.5, 85, 85), 24, 24);
    p.setPen(QPen(QColor(150, 160, 178), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 30), QPointF(48, 66));
    p.drawLine(QPointF(30, 48), QPointF(66, 48));
    return image;
}

QPen linePen()
{
    return QPen(QColor(90, 100, 115), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage refreshIcon()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(linePen());
    p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(22, 3);
    head.lineTo(27, 9);
    head.lineTo(19, 11);
    head.closeSubpath();
    p.setBrush(QColor(90, 100, 115));
    p.setPen(Qt::NoPen);
    p.drawPath(head);
    return image;
}

QImage settingsIcon()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 115));
    for (int i = 0; i < 8; ++i) {
        p.drawRoundedRect(QRectF(-2.5, -13, 5, 7), 1.5, 1.5);
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 9.5, 9.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 4, 4);
    return image;
}

QImage customerIcon()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(linePen());
    p.drawEllipse(QPointF(16, 11), 5.5, 5.5);
    p.drawArc(QRectF(6, 19, 20, 18), 0, 180 * 16);
    return image;
}

QImage stepIcon()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(linePen());
    for (int i = 0; i < 3; ++i) {
        const qreal y = 8 + i * 8;
        p.drawEllipse(QPointF(7, y), 2, 2);
        p.drawLine(QPointF(13, y), QPointF(26, y));
    }
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    struct TileIcon
    {
        const char* name;
        const char* glyph;
        QColor color;
    };
    const QList<TileIcon> tiles{
        {"mircro_website_1", "新", QColor(64, 132, 244)},     {"mircro_website_2", "售", QColor(255, 140, 56)},
        {"mircro_website_3", "租", QColor(46, 184, 120)},     {"mircro_website_4", "卖", QColor(150, 100, 230)},
        {"mircro_website_5", "托", QColor(32, 170, 180)},     {"mircro_website_6", "购", QColor(240, 90, 90)},
        {"mircro_website_7", "求", QColor(56, 160, 230)},     {"mircro_website_9", "司", QColor(88, 100, 220)},
        {"mircro_website_10", "聘", QColor(236, 96, 150)},    {"mircro_website_15", "金", QColor(230, 170, 40)},
        {"mircro_website_23", "讯", QColor(60, 140, 235)},    {"mircro_website_24", "佣", QColor(250, 120, 70)},
        {"mircro_website_25", "百", QColor(40, 175, 140)},    {"mircro_website_site", "网", QColor(52, 120, 220)},
        {"mircro_website_11_press", "轮", QColor(245, 110, 90)}, {"icon_userBrowsingTrack", "迹", QColor(110, 120, 235)},
        {"mircro_website_custom", "应", QColor(120, 140, 165)},
    };
    bool ok = true;
    for (const TileIcon& t : tiles)
        ok &= tileIcon(QString::fromUtf8(t.glyph), t.color).save(out.filePath(QString::fromLatin1(t.name) + QStringLiteral(".png")));
    ok &= addIcon().save(out.filePath(QStringLiteral("mircro_website_add.png")));
    ok &= refreshIcon().save(out.filePath(QStringLiteral("icon_refresh.png")));
    ok &= settingsIcon().save(out.filePath(QStringLiteral("icon_set.png")));
    ok &= customerIcon().save(out.filePath(QStringLiteral("icon_financial_customer.png")));
    ok &= stepIcon().save(out.filePath(QStringLiteral("icon_step.png")));
    return ok ? 0 : 1;
}
