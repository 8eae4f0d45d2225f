#include "app/StartupWarmUp.h"

#include "link/CupsLibrary.h"

#include <QFontDatabase>
#include <QStringList>

CStartupWarmUp::CStartupWarmUp()
    : m_thread([] {
          // Every function of QFontDatabase is thread-safe; the first one fills the database.
          static_cast<void>(QFontDatabase::families());
          // After the fonts: the main thread's first library loads (name service for the
          // lock) are done by then, and a load waits for any other to finish.
          static_cast<void>(cupslib::Api());
      }) {}

CStartupWarmUp::~CStartupWarmUp() {
    m_thread.join();
}
