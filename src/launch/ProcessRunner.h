#pragma once

#include <QString>
#include <functional>

// The hide flag's value for true. Only this value hides; every other one shows.
inline constexpr qint16 kHide = -1;

// Runs MAME command lines through the command shell and waits for them.
class ProcessRunner {
  public:
    virtual ~ProcessRunner() = default;

    // Runs `commandLine` through the command shell and returns once the shell
    // (and so MAME) has ended; nothing is reported, not even a line that cannot
    // be started, which returns at once. The shell inherits the working folder,
    // the environment and the front end's standard channels. Only a `hideFlag`
    // of -1 hides the console window; Linux has none, so there the flag is only
    // recorded.
    virtual void RunAndWait(const QString& commandLine, qint16 hideFlag);

    // The hide flag of the latest run, as given (0 before the first), and
    // whether that run asked for the console to be hidden.
    qint16 lastHideFlag() const { return m_lastHideFlag; }
    bool lastRunHidden() const { return m_lastRunHidden; }

  private:
    qint16 m_lastHideFlag = 0;
    bool m_lastRunHidden = false;
};

// Runs MAME once, bare and hidden, before the first listing or audit of a
// program run, on the platforms that need that (never on Linux).
class PrimeMameOnce {
  public:
    // `platformPrimes` is asked once, at the first run.
    explicit PrimeMameOnce(std::function<bool()> platformPrimes = {});

    // The first call asks the platform and, if it primes, runs `strMameCommand`
    // alone through `runner`, hidden. Every later call does nothing.
    void Run(ProcessRunner& runner, const QString& strMameCommand);

    bool primed() const { return m_primed; }

  private:
    std::function<bool()> m_platformPrimes;
    bool m_primed = false;
};
