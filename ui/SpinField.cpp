#include "ui/SpinField.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

namespace brindle::ui {

SpinField::SpinField(int minimum, int maximum, int step, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum), step_(step) {
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textEdited, this, &SpinField::userChanged);
}

QString SpinField::text() const { return lineEdit()->text(); }

void SpinField::setText(const QString& text) {
  const QSignalBlocker quiet(lineEdit());
  lineEdit()->setText(text);
  update();
}

void SpinField::stepBy(int steps) {
  const QString current = text().trimmed();
  bool ok = false;
  const double now = current.toDouble(&ok);
  long long next = minimum_;
  if (ok && std::isfinite(now)) {
    const double base = steps > 0 ? std::floor(now) : std::ceil(now);
    next = static_cast<long long>(base) + static_cast<long long>(steps) * step_;
  }
  next = std::clamp<long long>(next, minimum_, maximum_);
  const QString changed = QString::number(next);
  if (changed == text()) return;
  setText(changed);
  lineEdit()->selectAll();
  Q_EMIT userChanged();
}

QValidator::State SpinField::validate(QString& input, int&) const {
  if (input.isEmpty()) return QValidator::Acceptable;
  if (input == QLatin1String("-") && minimum_ < 0) return QValidator::Intermediate;
  bool ok = false;
  if (fractions_ && (input.contains(QLatin1Char('.')) || input.contains(QLatin1Char(',')))) {
    QString point = input;
    point.replace(QLatin1Char(','), QLatin1Char('.'));
    if (point.startsWith(QLatin1Char('+')) || point.contains(QLatin1Char(' ')) ||
        point.count(QLatin1Char('.')) > 1)
      return QValidator::Invalid;
    if (point.endsWith(QLatin1Char('.'))) point.chop(1);
    const double d = point.isEmpty() ? 0.0 : point.toDouble(&ok);
    if (!ok || d > maximum_ || (d < minimum_ && d < 0)) return QValidator::Invalid;
    return d < minimum_ || input.endsWith(QLatin1Char('.')) || input.endsWith(QLatin1Char(','))
               ? QValidator::Intermediate
               : QValidator::Acceptable;
  }
  const long long n = input.toLongLong(&ok);
  if (!ok || input.startsWith(QLatin1Char('+')) || input.contains(QLatin1Char(' ')))
    return QValidator::Invalid;
  if (n > maximum_ || (n < minimum_ && n < 0)) return QValidator::Invalid;
  if (n < minimum_) return QValidator::Intermediate;  // more digits may follow
  return QValidator::Acceptable;
}

void SpinField::fixup(QString& input) const {
  bool ok = false;
  const long long n = input.toLongLong(&ok);
  if (ok) input = QString::number(std::clamp<long long>(n, minimum_, maximum_));
}

QSize SpinField::sizeHint() const {
  const QSize base = QAbstractSpinBox::sizeHint();
  // Room for a loaded text such as "3.000000" as well as for the largest number.
  const int digits = std::max(8, static_cast<int>(QString::number(maximum_).size()) + 1);
  const int width = fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
  return {width + 28, base.height()};
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  bool ok = false;
  const double now = text().trimmed().toDouble(&ok);
  if (!ok) return StepUpEnabled | StepDownEnabled;
  StepEnabled e = StepNone;
  if (now < maximum_) e |= StepUpEnabled;
  if (now > minimum_) e |= StepDownEnabled;
  return e;
}

}  // namespace brindle::ui
