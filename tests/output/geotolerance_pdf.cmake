# The geometric tolerances through tarvo-cli: each kind judged on measured circles and lines, the
# report read back from its PDF with pdftotext, the comparison and transfer files with their kind
# codes.   cmake -DCLI=... -DWORK=... -DPDFTOTEXT=... -P geotolerance_pdf.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(geo "menu Form- und Lagetoleranz")
file(WRITE "${WORK}/geo.tarvo" "
point 25.06 29.98
point 20.03 35.01
point 15 29.98
point 20.03 24.95
click SpeedButton1
select 0
geotol pos Bohrung 20 30 0.05 MMC 10 0.1 0 hole
${geo}
point 0 0
point 25 0
point 50 0
choose 1
click SpeedButton6
point 0 10
point 10 10.02
point 20 10.01
point 30 10.03
choose 1
click SpeedButton6
select 4
geotol parallel Kante 4 0.05
${geo}
select 4
geotol straight Kante 0.02
${geo}
point 10 0
point 10.01 10
point 9.995 20
point 10.02 30
choose 1
click SpeedButton6
select 9
geotol perpendicular Steg 4 0.02
${geo}
select 9
geotol angular Steg 4 90 0.03
${geo}
point 24.04 30
point 20.04 34
point 16.04 30
point 20.04 26
click SpeedButton1
select 14
geotol concentric Lager 1 0.05
${geo}
select 14
geotol round Lager 0.01
${geo}
click SpeedButton15
input Teil
input Pruefer
input L1
click SpeedButton19
print results
")
execute_process(COMMAND "${CLI}" --dir "${WORK}" "${WORK}/geo.tarvo" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "info: Bericht gespeichert: bericht.pdf" OR out MATCHES "error:")
  message(FATAL_ERROR "tarvo-cli: ${rc}\n${out}")
endif()
execute_process(COMMAND "${PDFTOTEXT}" -layout "${WORK}/bericht.pdf" - OUTPUT_VARIABLE text RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pdftotext failed: ${rc}")
endif()
# Each kind's definition and its judgement: deviation, zone allowed (and the bonus).
foreach(want "Positionstoleranz" "Bohrung +#1 " "0.072" "0.110" "0.060" "Parallelitätstoleranz" "Kante +#5 "
             "0.030" "Geradheitstoleranz" "0.015" "Rechtwinkligkeitstol." "Steg +#10 " "0.025" "Neigungstoleranz"
             "Konzentrizitätstol." "Lager +#15 " "0.045" "Rundheitstoleranz" "MZCI" "MZLI")
  string(REGEX MATCH "${want}" at "${text}")
  if(NOT at)
    message(FATAL_ERROR "the report lacks \"${want}\":\n${text}")
  endif()
endforeach()
file(GLOB npa "${WORK}/ascii/*.NPA")
file(GLOB trf "${WORK}/ascii/*.TRF")
list(LENGTH npa n)
list(LENGTH trf m)
if(NOT n EQUAL 1 OR NOT m EQUAL 1)
  message(FATAL_ERROR "export files: ${npa} ${trf}\n${out}")
endif()
file(READ "${npa}" records)
foreach(want "=Bohrung             ,0.000,0.050,0.110,    ,3,2,LE=1" "=Kante               ,0.000,0.050,0.050,    ,3,5,LE=1"
             "=Kante               ,0.000,0.020,0.020,    ,3,4,LE=1" "=Steg                ,0.000,0.020,0.020,    ,3,6,LE=1"
             "=Steg                ,0.000,0.030,0.030,    ,3,7,LE=1" "=Lager               ,0.000,0.050,0.050,    ,3,8,LE=1"
             "=Lager               ,0.000,0.010,0.010,    ,3,3,LE=1")
  string(FIND "${records}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the comparison file lacks \"${want}\":\n${records}")
  endif()
endforeach()
file(READ "${trf}" pairs)
foreach(want "*Bohrung             \n0.072" "*Kante               \n0.030" "*Steg                \n0.025"
             "*Lager               \n0.045")
  string(FIND "${pairs}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the transfer file lacks \"${want}\":\n${pairs}")
  endif()
endforeach()
message(STATUS "geometric tolerances: report and export of every kind")
