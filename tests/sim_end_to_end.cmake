# orchidia-sim end to end: determinism, scripts, saves, refusals.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run_sim out_var rc_var)
  execute_process(COMMAND ${SIM_EMULATOR} ${SIM} ${ARGN} WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${rc_var} "${rc}" PARENT_SCOPE)
  set(LAST_ERR "${err}" PARENT_SCOPE)
endfunction()

# expect(MESSAGE condition...): fails with MESSAGE unless the condition holds.
macro(expect msg)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${msg}")
  endif()
endmacro()

# One seed gives one game: output and save file identical across runs.
run_sim(out1 rc1 --seed 42 --scenario --ticks 300 --script ${SOURCE_DIR}/tests/data/trade.script --save a.dat)
run_sim(out2 rc2 --seed 42 --scenario --ticks 300 --script ${SOURCE_DIR}/tests/data/trade.script --save b.dat)
expect("first run failed: ${LAST_ERR}" rc1 EQUAL 0)
expect("second run failed" rc2 EQUAL 0)
string(SHA256 h1 "${out1}")
string(SHA256 h2 "${out2}")
expect("same seed, different output" h1 STREQUAL h2)
file(READ ${WORK}/a.dat a HEX)
file(READ ${WORK}/b.dat b HEX)
expect("same seed, different save files" a STREQUAL b)
file(STRINGS ${WORK}/a.dat lines)
list(LENGTH lines n)
expect("save file has ${n} lines" n EQUAL 1305)
# The scenario's opening message and a fill are printed as message lines.
string(FIND "${out1}" "] " pos)
expect("no message lines printed" pos GREATER -1)
string(REGEX MATCHALL "\n" nl "${out1}")
list(LENGTH nl count)
expect("too few messages: ${out1}" count GREATER 3)

# Loading the file again and saving at once reproduces it byte for byte.
run_sim(out3 rc3 --seed 7 --load a.dat --save c.dat)
expect("load and save failed: ${LAST_ERR}" rc3 EQUAL 0)
file(READ ${WORK}/c.dat c HEX)
expect("load then save changed the file" a STREQUAL c)

# A damaged file is refused with a non-zero status.
file(READ ${WORK}/a.dat text)
string(SUBSTRING "${text}" 0 2000 cut)
file(WRITE ${WORK}/short.dat "${cut}")
run_sim(out4 rc4 --seed 1 --load short.dat)
expect("a short file was accepted" NOT rc4 EQUAL 0)
string(LENGTH "${LAST_ERR}" errlen)
expect("no message on standard error" errlen GREATER 0)
run_sim(out5 rc5 --seed 1 --load missing.dat)
expect("a missing file was accepted" NOT rc5 EQUAL 0)

# A script line that does not read is refused with its line number.
file(WRITE ${WORK}/bad.script "1 buy 3 100\n2 buy 99 100\n")
run_sim(out6 rc6 --seed 1 --ticks 5 --script bad.script)
expect("a bad script was accepted" NOT rc6 EQUAL 0)
string(FIND "${LAST_ERR}" "line 2" pos)
expect("the refusal does not name line 2: ${LAST_ERR}" pos GREATER -1)

# Bad arguments.
run_sim(out7 rc7 --ticks)
expect("a missing value was accepted" NOT rc7 EQUAL 0)
run_sim(out8 rc8 --frobnicate)
expect("an unknown argument was accepted" NOT rc8 EQUAL 0)
run_sim(out9 rc9 --seed -5)
expect("a negative seed was accepted" NOT rc9 EQUAL 0)

# A save that cannot be written is reported.
run_sim(out10 rc10 --seed 1 --save no/such/folder/x.dat)
expect("an impossible save reported success" NOT rc10 EQUAL 0)
# A play script through the bank's dialog, with a dump after the save.
file(WRITE ${WORK}/bank.script "1 side 100 25\n1 type 1117 1000\n1 press 1017\n1 show 1120\n1 press 1\n")
run_sim(out11 rc11 --seed 3 --ticks 2 --script bank.script --save bank.dat --dump bank.dump)
expect("the play script failed: ${LAST_ERR}" rc11 EQUAL 0)
string(FIND "${out11}" "{1120} 1000" pos)
expect("the shown field is missing: ${out11}" pos GREATER -1)
file(STRINGS ${WORK}/bank.dump loan REGEX "^companies\\[0\\]\\.loans\\[0\\] ")
expect("the dump lacks the loan: ${loan}" loan STREQUAL "companies[0].loans[0] 1000")
expect("no save beside the dump" EXISTS ${WORK}/bank.dat)

# Refused while playing: status 1, the line on standard error, no save, no dump.
file(WRITE ${WORK}/late.script "1 side 100 25\n2 press 4242\n")
run_sim(out12 rc12 --seed 3 --ticks 3 --script late.script --save late.dat --dump late.dump)
expect("a press on a missing control was accepted" rc12 EQUAL 1)
string(FIND "${LAST_ERR}" "script line 2: dialog 133 has no control 4242" pos)
expect("the refusal does not say why: ${LAST_ERR}" pos GREATER -1)
expect("a refused run wrote its save" NOT EXISTS ${WORK}/late.dat)
expect("a refused run wrote its dump" NOT EXISTS ${WORK}/late.dump)

# The script is read as a regular file only.
file(MAKE_DIRECTORY ${WORK}/folder.script)
run_sim(out13 rc13 --seed 3 --ticks 1 --script folder.script)
expect("a folder was read as a script" rc13 EQUAL 1)
message(STATUS "orchidia-sim end to end: all checks passed")
