#pragma once
// A number field with up and down arrows that may also be empty or hold any loaded text. What the
// user types or steps is a whole number within the range; a text put there by the program (a
// fractional "2.5" read from a config) is shown and kept unchanged until the user changes it.
// Stepping from a text that is no whole number starts from its whole part (2.5 steps up to 3 and
// down to 2); stepping from an empty field starts at the minimum.
#include <QAbstractSpinBox>

namespace brindle::ui {

class SpinField : public QAbstractSpinBox {
  Q_OBJECT

 public:
  SpinField(int minimum, int maximum, int step = 1, QWidget* parent = nullptr);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int singleStep() const { return step_; }
  // Whether typed text may hold a fraction ("2.5", or "2,5" with a decimal comma).
  void setFractions(bool on) { fractions_ = on; }

  // The field's text, exactly as shown.
  QString text() const;
  // Shows `text` unchanged; no userChanged() is sent.
  void setText(const QString& text);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  QSize sizeHint() const override;

 Q_SIGNALS:
  // The user typed into the field or stepped it.
  void userChanged();

 protected:
  StepEnabled stepEnabled() const override;

 private:
  int minimum_;
  int maximum_;
  int step_;
  bool fractions_ = false;
};

}  // namespace brindle::ui
