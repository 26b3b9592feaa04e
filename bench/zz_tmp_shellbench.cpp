// temporary: times fw::Shell pieces inside the full program
#include <QCoreApplication>
#include <QProcess>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include "framework/Bundle.h"
#include "framework/Runtime.h"
#include "framework/Shell.h"
#include "shell/startup/Startup.h"
extern char** environ;
using C = std::chrono::steady_clock;
static double ms(C::time_point a){return std::chrono::duration<double,std::milli>(C::now()-a).count();}
int main(int argc, char** argv){
  fw::SetBundleService(std::make_unique<fw::FixedBundleService>(std::string(argv[1]) + "/bin"));
  static char name[]="brindlex"; static char* args[]={name,nullptr};
  fw::RuntimeInit(1,args,environ,nullptr); fw::RuntimePerformInitializers(); StartUp();
  QEventLoop l; QTimer::singleShot(300,&l,&QEventLoop::quit); l.exec();
  for (const char* cmd : {"true", "screencapture -c -x"}) {
    double a=0,b=0,c=0; int n=10;
    for(int i=0;i<n;i++){
      auto t=C::now(); auto s=fw::RuntimeNewObject<fw::Shell>(); s->Execute(cmd); a+=ms(t);
      t=C::now(); QProcess p; p.start(QString(argv[1])+"/bin/"+(cmd[0]=='t'?"../../../../usr/bin/true":"screencapture"), cmd[0]=='t'?QStringList{}:QStringList{"-c","-x"}); p.waitForFinished(-1); b+=ms(t);
      t=C::now(); pid_t pid; std::string prog = cmd[0]=='t' ? "/usr/bin/true" : std::string(argv[1])+"/bin/screencapture";
      char* av[] = {(char*)prog.c_str(), (char*)"-c", (char*)"-x", nullptr}; posix_spawn(&pid, prog.c_str(), nullptr, nullptr, av, environ); int st; waitpid(pid,&st,0); c+=ms(t);
    }
    printf("%s: fw::Shell %.1f  QProcess direct %.1f  posix_spawn %.1f\n", cmd, a/n, b/n, c/n);
  }
  FILE* f=fopen("/proc/self/status","r"); char line[256]; while(fgets(line,256,f)) if(!strncmp(line,"VmRSS",5)||!strncmp(line,"VmSize",6)) fputs(line,stdout);
  return 0;
}
