#ifndef ZT_WIDGETS_JOBDIALOG_H
#define ZT_WIDGETS_JOBDIALOG_H

// The window's one progress box: it shows a job the window waits on. Until
// the box shows, after a moment, the window paints but takes no input; the
// box then holds the window and moves with the job's progress. A close of
// the window is put off meanwhile.

#include "platform/job.h"
#include "platform/silentfiles.h"

#include <QProgressDialog>

#include <functional>
#include <memory>
#include <optional>

// A wait also ends once the job has not reported for `stallMs`, after
// `limitMs` (0: no such limit), or once `giveUp` (asked as time passes)
// says so. With a `cancelText` the box has that button, which calls
// `cancel` (the box stays until the job ends).
struct JobLimits
{
    int limitMs = 0;
    int stallMs = 0;
    int showAfterMs = 300;
    std::function<bool()> giveUp;
    QString cancelText;
    std::function<void()> cancel;
};

class JobDialog : public QProgressDialog
{
    Q_OBJECT

public:
    using Limits = JobLimits;

    // Starts `job` unless it was started and waits for it: true once it
    // ended. With no `label` no box shows.
    static bool wait(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits = {});

    // `look` as a job, waited on at most `limitMs` with no box: its result,
    // or nothing when it has not returned by then.
    template <typename T>
    static std::optional<T> lookWithin(int limitMs, std::function<T()> look)
    {
        const auto out = std::make_shared<std::optional<T>>();
        ztplatform::Job job([out, look = std::move(look)](const ztplatform::Job::Report &) { *out = look(); });
        Limits limits;
        limits.limitMs = limitMs;
        if (!wait(nullptr, QString(), job, limits))
            return std::nullopt;
        return *out;
    }

    // The same for a look at the file `path`: nothing, and no look started,
    // while an earlier one given up on still waits on its drive.
    template <typename T>
    static std::optional<T> lookAtFileWithin(const QString &path, int limitMs, std::function<T()> look)
    {
        if (ztplatform::isSilentFile(path))
            return std::nullopt;
        const auto mark = std::make_shared<ztplatform::SilentLook>(path);
        const auto out = std::make_shared<std::optional<T>>();
        ztplatform::Job job([mark, out, look = std::move(look)](const ztplatform::Job::Report &) {
            *out = look();
            mark->returned();
        });
        Limits limits;
        limits.limitMs = limitMs;
        if (wait(nullptr, QString(), job, limits))
            return *out;
        mark->givenUp();
        return std::nullopt;
    }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    JobDialog(QWidget *parent, const QString &label, const QString &cancelText);
    static JobDialog *showBox(QWidget *parent, const QString &label, ztplatform::Job &job, const Limits &limits);
};

#endif
