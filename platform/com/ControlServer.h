#pragma once
// The contract between a control library and its hosts. A library serves its
// controls through four extern "C" entry points:
//
//   int DllRegisterServer();     records the library's classes in the control registry
//   int DllUnregisterServer();   removes them again
//   int DllGetClassObject(const char* classId, ClassFactory** factory);
//                                the class object of a class, by class identifier or
//                                programmatic identifier
//   int DllCanUnloadNow();       kOk when no object of the library is alive
//
// Results are kOk, kFalse or one of the failure codes below.
class QWidget;

namespace comserver {

constexpr int kOk = 0;
constexpr int kFalse = 1;
constexpr int kClassNotAvailable = -2147221231;  // 0x80040111
constexpr int kFail = -2147467259;               // 0x80004005

constexpr const char kRegisterServer[] = "DllRegisterServer";
constexpr const char kUnregisterServer[] = "DllUnregisterServer";
constexpr const char kGetClassObject[] = "DllGetClassObject";
constexpr const char kCanUnloadNow[] = "DllCanUnloadNow";

}  // namespace comserver

// A class object: makes new objects of one class. Class objects are owned by
// their library and live as long as it is loaded.
class ClassFactory {
 public:
  virtual ~ClassFactory() = default;
  // A new object of the class, a child of parent (so parent owns it).
  virtual QWidget* CreateInstance(QWidget* parent) = 0;
};

extern "C" {
using DllRegisterServerFn = int (*)();
using DllUnregisterServerFn = int (*)();
using DllGetClassObjectFn = int (*)(const char* classId, ClassFactory** factory);
using DllCanUnloadNowFn = int (*)();
}
