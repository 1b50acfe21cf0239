#pragma once
// orbitel-rapport run as a program, beside the window it is compared with.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace orbitel::essais {

// The standard output of orbitel-rapport run with `arguments` under the locale `locale` (LC_ALL:
// the decimal mark of its lines) and the test's own environment otherwise, so its configuration
// folder and the place the window saved there. The test fails when the program does not end with
// status 0.
inline QString sortie_rapport(const QStringList& arguments, const QString& locale) {
    QProcess rapport;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    rapport.setProcessEnvironment(env);
    rapport.start(ORBITEL_RAPPORT_EXE, arguments);
    if (!rapport.waitForFinished(60000)) {
        ADD_FAILURE() << "orbitel-rapport did not end";
        return {};
    }
    if (rapport.exitStatus() != QProcess::NormalExit || rapport.exitCode() != 0)
        ADD_FAILURE() << "orbitel-rapport: status " << rapport.exitCode() << ", "
                      << rapport.readAllStandardError().toStdString();
    return QString::fromUtf8(rapport.readAllStandardOutput());
}

} // namespace orbitel::essais
