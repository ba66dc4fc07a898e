#pragma once

#include <QList>
#include <QObject>
#include <cstdint>

class QWidget;

namespace penlark {

// The run of a wizard's pages: the ordinary pages first, then, when there is one, the page
// shown while processing, then the page for a stopped or failed run and the page for a
// completed one. It knows only which page frame shows; its form fills the pages and does the
// work when DoProcess comes.
//
// The events pass their flags by reference, false on entry: setting Cancel keeps the wizard
// where it is, setting result marks the processing as done.
class Wizard : public QObject {
    Q_OBJECT

public:
    explicit Wizard(QObject* parent = nullptr);

    bool Finished() const { return m_finished; }
    bool Processing() const { return m_processing; }

    // Takes the page frames in order; shows the first.
    void Load(const QList<QWidget*>& frames, bool progressPage);

    int32_t Page() const { return m_page; }
    // Moves to an ordinary page; others raise 5.
    void SetPage(int32_t value);

    // Moves pages forward, into processing past the last ordinary page; after processing
    // raises Finish instead. Always false.
    bool GoNext(int32_t pages);
    bool GoBack(int32_t pages);
    bool GoProcess();

signals:
    void BeforeProcess(bool& Cancel);
    void BeforeNext(bool& Cancel);
    void BeforeBack(bool& Cancel);
    void Move();
    void DoProcess(bool& result);
    void Failed();
    void Complete();
    void Finish();

private:
    int32_t ordinaryPages() const;
    void show(int32_t page);

    QList<QWidget*> m_frames;
    bool m_progressPage = false;
    int32_t m_page = 0;
    bool m_finished = false;
    bool m_processing = false;
};

} // namespace penlark
