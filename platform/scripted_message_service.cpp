#include "platform/scripted_message_service.h"

#include <QEventLoop>
#include <QTimer>

namespace meru::platform {

namespace {

QString answerName(Answer a) {
    switch (a) {
    case Answer::Yes: return QStringLiteral("Yes");
    case Answer::No: return QStringLiteral("No");
    case Answer::Ok: return QStringLiteral("Ok");
    case Answer::Cancel: return QStringLiteral("Cancel");
    case Answer::None: return QStringLiteral("None");
    }
    return {};
}

}  // namespace

QString boxKindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::Inform: return QStringLiteral("inform");
    case BoxKind::ConfirmYesNo: return QStringLiteral("confirmYesNo");
    case BoxKind::ConfirmOkCancel: return QStringLiteral("confirmOkCancel");
    case BoxKind::WarnYesNo: return QStringLiteral("warnYesNo");
    case BoxKind::Error: return QStringLiteral("error");
    }
    return {};
}

ScriptedMessageService& ScriptedMessageService::answer(Answer a) {
    answers_.push_back(a);
    return *this;
}

void ScriptedMessageService::show(BoxKind kind, const QString& text) {
    if (showHook_) showHook_(kind, text);
    if (answerDelayMs_ > 0) {
        QEventLoop modal;
        QTimer::singleShot(answerDelayMs_, &modal, &QEventLoop::quit);
        modal.exec();
    }
}

void ScriptedMessageService::inform(const QString& text) {
    show(BoxKind::Inform, text);
    boxes_.push_back({BoxKind::Inform, text, Answer::None});
}

void ScriptedMessageService::error(const QString& text) {
    show(BoxKind::Error, text);
    boxes_.push_back({BoxKind::Error, text, Answer::None});
}

Answer ScriptedMessageService::confirmYesNo(const QString& text) {
    return ask(BoxKind::ConfirmYesNo, text);
}

Answer ScriptedMessageService::confirmOkCancel(const QString& text) {
    return ask(BoxKind::ConfirmOkCancel, text);
}

Answer ScriptedMessageService::warnYesNo(const QString& text) {
    return ask(BoxKind::WarnYesNo, text);
}

Answer ScriptedMessageService::ask(BoxKind kind, const QString& text) {
    show(kind, text);
    const bool okCancel = kind == BoxKind::ConfirmOkCancel;
    Answer given = Answer::None;
    if (answers_.empty()) {
        fail(QStringLiteral("unexpected %1 box: \"%2\"").arg(boxKindName(kind), text));
    } else {
        const Answer queued = answers_.front();
        answers_.pop_front();
        const bool offered = queued == Answer::None ||
                             (okCancel ? queued == Answer::Ok || queued == Answer::Cancel
                                       : queued == Answer::Yes || queued == Answer::No);
        if (!offered)
            fail(QStringLiteral("answer %1 queued for a %2 box: \"%3\"")
                     .arg(answerName(queued), boxKindName(kind), text));
        else if (queued == Answer::None)
            given = okCancel ? Answer::Cancel : Answer::No;
        else
            given = queued;
    }
    boxes_.push_back({kind, text, given});
    return given;
}

void ScriptedMessageService::fail(const QString& why) {
    failures_.append(why);
    if (failureHook_) failureHook_(why);
}

QStringList ScriptedMessageService::texts() const {
    QStringList out;
    for (const RecordedBox& box : boxes_) out.append(box.text);
    return out;
}

void ScriptedMessageService::clear() {
    boxes_.clear();
    answers_.clear();
    failures_.clear();
}

}  // namespace meru::platform
