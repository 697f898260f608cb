// While it lives, a person's keys, clicks, wheel turns and drops meant for a widget or
// anything in it are refused, and the widget keeps its look: work that ends in a moment
// locks its window without greying it and painting it all again twice.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace reelkeep {

class InputRefusal : public QObject {
public:
    explicit InputRefusal(QWidget* widget);
    ~InputRefusal() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInside(const QObject* watched) const;

    QPointer<QWidget> m_widget;
};

} // namespace reelkeep
