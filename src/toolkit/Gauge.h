#pragma once
// The status bar's progress gauge: a value kept inside a range from a fixed
// minimum to a settable maximum, shown as a percentage.

#include <QProgressBar>

// The clamping arithmetic on its own, so it can be checked without a widget.
class TGaugeModel {
public:
    explicit TGaugeModel(int minimum = 0, int maximum = 100);

    int Minimum() const { return FMinimum; }
    int Maximum() const { return FMaximum; }
    int Value() const { return FValue; }

    // Above the maximum the value becomes the maximum, below the minimum the minimum.
    void SetValue(int value);
    // A maximum below the current value lowers the value to it. A maximum
    // below the minimum is taken as the minimum: the range never inverts.
    void SetMaximum(int maximum);

    // Share of the range the value covers, 0 to 100, rounded down; 0 for an empty range.
    int Percent() const;

private:
    int FMinimum;
    int FMaximum;
    int FValue;
};

// The widget. QProgressBar's own range handling resets out-of-range values
// instead of clamping them, and shows a busy animation for an empty range,
// so the bar only ever displays the model's percentage on a fixed 0..100 scale.
class TGauge : public QProgressBar {
    Q_OBJECT
public:
    explicit TGauge(QWidget* parent = nullptr);

    void SetValue(int value);
    void SetMaximum(int maximum);

    int Minimum() const { return FModel.Minimum(); }
    int Maximum() const { return FModel.Maximum(); }
    int Value() const { return FModel.Value(); }
    int Percent() const { return FModel.Percent(); }

private:
    void Show();

    TGaugeModel FModel;
};
