# Turns the type library that widl compiled into the raw data of the TYPELIB
# resource, marking every application-object coclass with a predeclared id
# (TYPEFLAG_FPREDECLID) on the way: widl has no attribute for that flag.
#
#   cmake -DTLB=<in.tlb> -DOUT=<out.inc> -P typelib_data.cmake
#
# The type library format: a header of 21 little-endian 32-bit fields (one more
# when the help-DLL flag 0x100 is set in the fifth), one offset per type info,
# then the segment directory whose first segment holds the type infos. Each
# type info begins with its kind (low 4 bits; 5 is a coclass) and holds its
# TYPEFLAGs at byte 0x30.
file(READ "${TLB}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")

function(read_int offset out)  # little-endian signed 32-bit at byte offset
  math(EXPR at "${offset} * 2")
  string(SUBSTRING "${hex}" ${at} 8 word)
  string(SUBSTRING "${word}" 6 2 b3)
  string(SUBSTRING "${word}" 4 2 b2)
  string(SUBSTRING "${word}" 2 2 b1)
  string(SUBSTRING "${word}" 0 2 b0)
  math(EXPR value "0x${b3}${b2}${b1}${b0}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

read_int(0 magic)
if(NOT magic EQUAL 0x5446534D)
  message(FATAL_ERROR "${TLB} is not a type library")
endif()
read_int(20 varflags)
read_int(32 count)
set(offsets 84)
if(varflags GREATER_EQUAL 256)
  math(EXPR helpdll "(${varflags} >> 8) & 1")
  if(helpdll)
    set(offsets 88)
  endif()
endif()
math(EXPR segdir "${offsets} + 4 * ${count}")
read_int(${segdir} infos)

math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  math(EXPR at "${offsets} + 4 * ${i}")
  read_int(${at} info)
  math(EXPR base "${infos} + ${info}")
  read_int(${base} kind)
  math(EXPR flagsAt "${base} + 48")
  read_int(${flagsAt} flags)
  math(EXPR typekind "${kind} & 15")
  math(EXPR appobject "${flags} & 1")
  if(typekind EQUAL 5 AND appobject EQUAL 1)
    math(EXPR patched "${flags} | 8" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${patched}" 2 -1 patched)
    string(LENGTH "${patched}" n)
    while(n LESS 8)
      string(PREPEND patched "0")
      math(EXPR n "${n} + 1")
    endwhile()
    string(SUBSTRING "${patched}" 6 2 b0)
    string(SUBSTRING "${patched}" 4 2 b1)
    string(SUBSTRING "${patched}" 2 2 b2)
    string(SUBSTRING "${patched}" 0 2 b3)
    math(EXPR hexAt "${flagsAt} * 2")
    math(EXPR after "${hexAt} + 8")
    string(SUBSTRING "${hex}" 0 ${hexAt} head)
    string(SUBSTRING "${hex}" ${after} -1 tail)
    set(hex "${head}${b0}${b1}${b2}${b3}${tail}")
  endif()
endforeach()

# Raw resource data: 32-bit words (suffix L), little-endian like the file.
math(EXPR rest "${size} % 4")
while(NOT rest EQUAL 0)
  string(APPEND hex "00")
  math(EXPR size "${size} + 1")
  math(EXPR rest "${size} % 4")
endwhile()
string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1L," words "${hex}")
string(REGEX REPLACE "(0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,0x[0-9a-fA-F]+L,)" "\\1\n" words "${words}")
string(REGEX REPLACE ",$" "" words "${words}")
string(REGEX REPLACE ",\n$" "\n" words "${words}")
file(WRITE "${OUT}" "${words}\n")
