#pragma once
// The message service of the tests: records every box in order and answers the
// questions from a queue. A question with no queued answer, or with an answer
// its box does not offer, is a failure: it is recorded, reported to the failure
// hook (tests route it to their framework) and answered None, which every
// caller takes as "do not go on".

#include "platform/message_service.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace meru::platform {

enum class BoxKind { Inform, ConfirmYesNo, ConfirmOkCancel, WarnYesNo, Error };

struct RecordedBox {
    BoxKind kind;
    QString text;    // as the caller gave it ("\r" line breaks kept)
    Answer answer;   // Answer::None for inform and error
    friend bool operator==(const RecordedBox&, const RecordedBox&) = default;
};

class ScriptedMessageService : public MessageService {
public:
    // Queues the answer to the next question. Answer::None stands for closing
    // the box without an answer, which gives No (Cancel for OK/Cancel).
    ScriptedMessageService& answer(Answer a);
    void setFailureHook(std::function<void(const QString&)> hook) { failureHook_ = std::move(hook); }
    // Called as each box opens, before it is answered.
    void setShowHook(std::function<void(BoxKind, const QString&)> hook) { showHook_ = std::move(hook); }
    // Keeps each box open this long before answering it, running the event
    // loop meanwhile as a modal box does: an operator who answers late.
    void setAnswerDelay(int ms) { answerDelayMs_ = ms; }

    void inform(const QString& text) override;
    Answer confirmYesNo(const QString& text) override;
    Answer confirmOkCancel(const QString& text) override;
    Answer warnYesNo(const QString& text) override;
    void error(const QString& text) override;

    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    QStringList texts() const;
    int pendingAnswers() const { return int(answers_.size()); }
    const QStringList& failures() const { return failures_; }
    void clear();  // boxes, queued answers and failures

private:
    Answer ask(BoxKind kind, const QString& text);
    void show(BoxKind kind, const QString& text);
    void fail(const QString& why);

    std::vector<RecordedBox> boxes_;
    std::deque<Answer> answers_;
    QStringList failures_;
    std::function<void(const QString&)> failureHook_;
    std::function<void(BoxKind, const QString&)> showHook_;
    int answerDelayMs_ = 0;
};

QString boxKindName(BoxKind kind);

}  // namespace meru::platform
