// The pictures, drawn rather than stored: the sheets' icons (32 × 32) and the lists' image strips.
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include "resources/dialog_builder.h"

namespace resources {
namespace {

constexpr int kImage = 16;

QPixmap Blank(int width, int height) {
  QPixmap picture(width, height);
  picture.fill(Qt::transparent);
  return picture;
}

// A sheet of paper with a folded corner and a label of three letters across it.
QPixmap SheetIcon(const char* letters, QColor band) {
  QPixmap icon = Blank(32, 32);
  QPainter painter(&icon);
  QPainterPath page;
  page.moveTo(5, 1);
  page.lineTo(21, 1);
  page.lineTo(27, 7);
  page.lineTo(27, 30);
  page.lineTo(5, 30);
  page.closeSubpath();
  painter.fillPath(page, Qt::white);
  painter.setPen(Qt::black);
  painter.drawPath(page);
  painter.drawPolyline(QPolygon({QPoint(21, 1), QPoint(21, 7), QPoint(27, 7)}));
  painter.setPen(Qt::gray);
  for (int y = 11; y <= 27; y += 4) painter.drawLine(8, y, 24, y);
  painter.fillRect(1, 13, 30, 11, band);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(9);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(1, 13, 30, 11), Qt::AlignCenter, QString::fromLatin1(letters));
  return icon;
}

void Letters(QPainter& painter, int slot, const QString& text, QColor colour, int pixels = 10) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QRect(slot * kImage, 0, kImage, kImage), Qt::AlignCenter, text);
}

void AtSign(QPainter& painter, int slot, QColor colour) { Letters(painter, slot, QStringLiteral("@"), colour, 13); }

// Column kinds: plain view column, hidden view column, icon column, formula column.
QPixmap ColumnImages() {
  QPixmap strip = Blank(4 * kImage, kImage);
  QPainter painter(&strip);
  Letters(painter, 0, QStringLiteral("ab"), Qt::black);
  Letters(painter, 1, QStringLiteral("ab"), Qt::gray);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 0, 200));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRect(2 * kImage + 1, 1, 14, 14));
  Letters(painter, 2, QStringLiteral("i"), Qt::white);
  AtSign(painter, 3, QColor(0, 140, 0));
  return strip;
}

// Field compute options: none, editable, computed, computed for display, computed when composed.
QPixmap FieldImages() {
  QPixmap strip = Blank(5 * kImage, kImage);
  QPainter painter(&strip);
  Letters(painter, 1, QStringLiteral("ab"), Qt::black);
  painter.fillRect(kImage + 2, 13, 12, 2, QColor(0, 0, 128));
  AtSign(painter, 2, Qt::black);
  AtSign(painter, 3, Qt::gray);
  AtSign(painter, 4, Qt::black);
  painter.setPen(QPen(QColor(255, 200, 0), 2));
  painter.drawLine(4 * kImage + 11, 1, 4 * kImage + 15, 5);
  painter.drawLine(4 * kImage + 15, 1, 4 * kImage + 11, 5);
  return strip;
}

// A form (a framed page with a blue title bar) and a subform (a smaller framed page).
QPixmap FormImages() {
  QPixmap strip = Blank(2 * kImage, kImage);
  QPainter painter(&strip);
  painter.setPen(Qt::black);
  painter.fillRect(1, 1, 14, 14, Qt::white);
  painter.drawRect(1, 1, 13, 13);
  painter.fillRect(2, 2, 12, 3, QColor(0, 0, 160));
  painter.fillRect(kImage + 4, 4, 9, 9, Qt::white);
  painter.drawRect(kImage + 4, 4, 8, 8);
  return strip;
}

}  // namespace

QPixmap Picture(int id) {
  switch (id) {
    case kCsvSheetIcon: return SheetIcon("CSV", QColor(0, 128, 0));
    case kXmlSheetIcon: return SheetIcon("XML", QColor(0, 64, 192));
    case kColumnImages: return ColumnImages();
    case kFieldImages: return FieldImages();
    case kFormImages: return FormImages();
  }
  return {};
}

}  // namespace resources
