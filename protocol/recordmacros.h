#pragma once

// Helpers that turn one field list into a record's members, properties, field visitor and copy.
// A field list is a macro taking X and calling X(Type, FField, Property, Default) once per field,
// in the record's declared order; that order is the order of the fields on the wire.

#define ZERDA_RECORD_FIELD(Type, Field, Prop, Default) \
public:                                                \
    const Type& Prop() const {                         \
        return Field;                                  \
    }                                                  \
    void set##Prop(const Type& value) {                \
        Field = value;                                 \
    }                                                  \
                                                       \
private:                                               \
    Type Field = Default;

#define ZERDA_RECORD_VISIT(Type, Field, Prop, Default) visit(#Field, Field);
#define ZERDA_RECORD_COPY(Type, Field, Prop, Default) Field = source.Field;

#define ZERDA_RECORD_BODY(Class, Unit, LIST)                  \
public:                                                       \
    static constexpr const char* kTypeName = Unit "." #Class; \
    static Class Create() {                                   \
        return Class();                                       \
    }                                                         \
    template <class Visitor>                                  \
    void forEachField(Visitor&& visit) {                      \
        LIST(ZERDA_RECORD_VISIT)                              \
    }                                                         \
    template <class Visitor>                                  \
    void forEachField(Visitor&& visit) const {                \
        LIST(ZERDA_RECORD_VISIT)                              \
    }                                                         \
    bool operator==(const Class& other) const = default;      \
    LIST(ZERDA_RECORD_FIELD)

// Field-by-field copy from another record of the same class; the source is left as it was.
#define ZERDA_RECORD_KOPYALA(Class, LIST) \
public:                                   \
    void Kopyala(const Class& source) {   \
        LIST(ZERDA_RECORD_COPY)           \
    }
