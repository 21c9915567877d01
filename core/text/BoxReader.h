#pragma once

#include <QString>

// Reads the boxes of one window in order and keeps the first problem, worded for the user
// with the caption of the box it came from. Once a box has failed, later reads give 0 and keep
// the first message, so a command reads all its boxes and then checks once.
class BoxReader
{
public:
    // The whole text must be a number.
    float strictSingle(const QString& text, const QString& caption);
    qint16 strictInt16(const QString& text, const QString& caption);
    // The number at the start of the text, 0 when there is none.
    float lenientSingle(const QString& text, const QString& caption);
    qint16 lenientInt16(const QString& text, const QString& caption);
    double date(const QString& text, const QString& caption);

    bool failed() const { return !m_problem.isEmpty(); }
    QString problem() const { return m_problem; }
    // The caption of the box the problem is about.
    QString problemBox() const { return m_problemBox; }

private:
    float single(double value, const QString& caption);
    qint16 int16(double value, const QString& caption);
    void fail(const QString& message, const QString& caption);

    QString m_problem;
    QString m_problemBox;
};
