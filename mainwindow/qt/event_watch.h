// Runs a step each time an object receives events of one type, as an event
// filter owned by that object. `consume` keeps the event from the object
// (the step stands in for what it would have done).
#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

class EventWatch : public QObject {
  public:
    EventWatch(QObject* watched, QEvent::Type type, std::function<void()> step,
               bool consume = false)
        : QObject(watched), type_(type), step_(std::move(step)), consume_(consume) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != type_) return false;
        step_();
        return consume_;
    }

  private:
    QEvent::Type type_;
    std::function<void()> step_;
    bool consume_;
};
