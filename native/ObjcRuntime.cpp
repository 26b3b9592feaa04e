#include "native/ObjcRuntime.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "native/MessageLog.h"
#include "native/RuntimePrivate.h"

namespace native {
namespace {

// Never destroyed: objects held in other statics may unregister during exit.
struct Registry {
  std::unordered_map<std::string, std::unique_ptr<Selector>> selectors;
  std::unordered_map<Ptr, Object*> objects;
  // Handles are numbers, not addresses, so a new object never takes a dead one's handle.
  std::uintptr_t nextHandle = 0x10000;
  bool recording = false;
  std::vector<Message> log;
  unsigned logEpoch = 0;  // counts clearings, so that a pending entry knows it is gone
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

std::string ArgText(const Arg& arg) {
  switch (arg.kind()) {
    case Arg::Kind::Double:
      return NumberText(arg.AsDouble());
    case Arg::Kind::Integer:
      return std::to_string(arg.AsInteger());
    case Arg::Kind::Bool:
      return arg.AsBool() ? "YES" : "NO";
    case Arg::Kind::Ptr:
      if (!arg.AsPtr()) return "nil";
      if (Object* object = Find(arg.AsPtr())) return object->Describe();
      return "unknown";
  }
  return "?";
}

}  // namespace

std::string NumberText(double d) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, d);
  return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

double Arg::AsDouble() const {
  switch (kind_) {
    case Kind::Double:
      return double_;
    case Kind::Integer:
    case Kind::Bool:
      return static_cast<double>(integer_);
    case Kind::Ptr:
      break;
  }
  return 0.0;
}

long long Arg::AsInteger() const {
  switch (kind_) {
    case Kind::Integer:
    case Kind::Bool:
      return integer_;
    case Kind::Double:
      // Out of range or NaN would be undefined behaviour.
      if (std::isfinite(double_) && std::fabs(double_) < 9.2e18) return static_cast<long long>(double_);
      return 0;
    case Kind::Ptr:
      break;
  }
  return 0;
}

bool Arg::AsBool() const { return kind_ == Kind::Double ? double_ != 0.0 : AsInteger() != 0; }

const Arg& ArgAt(Args args, std::size_t i) {
  static const Arg nil;
  return i < args.size() ? args[i] : nil;
}

Object::Object(std::string kind) : kind_(std::move(kind)) {
  Registry& registry = TheRegistry();
  handle_ = reinterpret_cast<Ptr>(registry.nextHandle);
  registry.nextHandle += 0x10;
  registry.objects[handle_] = this;
}

Object::~Object() { TheRegistry().objects.erase(handle_); }

Object* Find(Ptr handle) {
  if (!handle) return nullptr;
  const auto& objects = TheRegistry().objects;
  auto it = objects.find(handle);
  return it == objects.end() ? nullptr : it->second;
}

void RecordLookUp(const char* function, const char* name) {
  Registry& registry = TheRegistry();
  if (!registry.recording) return;
  Message message;
  message.receiver = function;
  message.selector = name ? name : "(null)";
  message.understood = true;
  registry.log.push_back(std::move(message));
}

Result Send(Ptr receiver, SEL selector, std::span<const Arg> args) {
  Object* object = Find(receiver);
  const std::string_view name = selector ? std::string_view(selector->name) : std::string_view();

  // Logged before it acts, so that messages sent while it acts (Qt events) come after it.
  Registry& registry = TheRegistry();
  const std::size_t entry = registry.log.size();
  const unsigned epoch = registry.logEpoch;
  const bool logged = registry.recording;
  if (logged) {
    Message message;
    message.receiver = object ? object->Kind() : receiver ? "unknown" : "nil";
    message.selector = selector ? selector->name : "(null)";
    for (const Arg& arg : args) message.arguments.push_back(ArgText(arg));
    message.target = receiver;
    registry.log.push_back(std::move(message));
  }

  std::optional<Result> result;
  if (object && selector) result = object->Receive(name, args);
  if (result && logged && epoch == registry.logEpoch) registry.log[entry].understood = true;
  return result.value_or(Result());
}

std::string Message::Text() const {
  std::string text = receiver + " " + selector;
  for (const std::string& argument : arguments) text += " " + argument;
  return text;
}

void StartRecording() {
  Registry& registry = TheRegistry();
  registry.log.clear();
  ++registry.logEpoch;
  registry.recording = true;
}

void StopRecording() { TheRegistry().recording = false; }

std::vector<Message> TakeMessages() {
  Registry& registry = TheRegistry();
  std::vector<Message> taken;
  taken.swap(registry.log);
  ++registry.logEpoch;
  return taken;
}

std::vector<std::string> TakeMessageTexts() {
  std::vector<std::string> texts;
  for (const Message& message : TakeMessages()) texts.push_back(message.Text());
  return texts;
}

}  // namespace native

SEL sel_registerName(const char* name) {
  native::RecordLookUp("sel_registerName", name);
  if (!name) return nullptr;
  auto& selectors = native::TheRegistry().selectors;
  auto& selector = selectors[name];
  if (!selector) selector = std::make_unique<native::Selector>(native::Selector{name});
  return selector.get();
}
