#pragma once
// Declared properties: a control's state at creation as data, applied in one step.
#include <string>
#include <variant>
#include <vector>

#include "framework/Object.h"

namespace fw {

using PropertyValue = std::variant<bool, Integer, double, std::string, Ref<Object>>;

struct Property {
  std::string name;
  PropertyValue value;
};

using Properties = std::vector<Property>;

// The typed value of a property; InvalidArgumentException names the property when it has another type.
template <class T>
T PropertyAs(const Property& p) {
  if (const T* v = std::get_if<T>(&p.value)) return *v;
  if constexpr (std::is_same_v<T, double>)
    if (const Integer* i = std::get_if<Integer>(&p.value)) return static_cast<double>(*i);
  throw InvalidArgumentException("the property " + p.name + " has a value of another type");
}

class HasProperties {
 public:
  virtual ~HasProperties() = default;
  // Sets one declared property; InvalidArgumentException for a name the class does not have.
  virtual void SetProperty(const Property& p) = 0;
};

// Applies every property in order; a "Parent" property first, so positions land in place.
void SetProperties(HasProperties& object, const Properties& properties);

}  // namespace fw
