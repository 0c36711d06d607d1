#include "launch/ProcessRunner.h"

#include "launch/Platform.h"

#include <utility>

void ProcessRunner::RunAndWait(const QString& commandLine, qint16 hideFlag) {
    m_lastHideFlag = hideFlag;
    m_lastRunHidden = hideFlag == kHide;
    // A shell that cannot be started is treated like a run that ended at once.
    RunThroughShell(commandLine, m_lastRunHidden);
}

PrimeMameOnce::PrimeMameOnce(std::function<bool()> platformPrimes)
    : m_platformPrimes(platformPrimes ? std::move(platformPrimes) : PlatformPrimesMame) {}

void PrimeMameOnce::Run(ProcessRunner& runner, const QString& strMameCommand) {
    if (m_primed)
        return;
    if (m_platformPrimes())
        runner.RunAndWait(strMameCommand, kHide);
    m_primed = true;
}
